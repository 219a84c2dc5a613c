// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InputForm.h"

#include "ui/Guard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistal::ui {

TInputForm::TInputForm(TPrompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
    Information = new QLabel(this);
    Information->setObjectName("Information");
    InputValue = new QLineEdit(this);
    InputValue->setObjectName("InputValue");
    InputValue->setMinimumWidth(InputValue->fontMetrics().averageCharWidth() * 40);
    Information->setBuddy(InputValue);
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this);
    CancelBtn->setObjectName("CancelBtn");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Information);
    layout->addWidget(InputValue);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TInputForm::SetPasswordChar(QChar c) {
    if (c.isNull()) {
        InputValue->setEchoMode(QLineEdit::Normal);
        InputValue->setStyleSheet(QString());
    } else {
        InputValue->setEchoMode(QLineEdit::Password);
        InputValue->setStyleSheet(QStringLiteral("lineedit-password-character: %1").arg(c.unicode()));
    }
}

void TInputForm::Refuse(const QString& message) {
    prompt_.Beep();
    prompt_.ShowError(message);
    InputValue->setFocus();
    InputValue->selectAll();
}

void TInputForm::OKBtnClick() {
    const QString text = InputValue->text();
    if (text.isEmpty()) {
        reject();
        return;
    }
    if (TakeValue(text)) accept();
}

} // namespace vistal::ui

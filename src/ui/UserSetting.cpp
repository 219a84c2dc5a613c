// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UserSetting.h"

#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistal::ui {

TfrmSetting::TfrmSetting(const TVistal& engine, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt) {
    setObjectName("frmSetting");
    setWindowTitle(tr("設定"));
    edtWidth = new QLineEdit(QString::number(engine.Width()), this);
    edtWidth->setObjectName("edtWidth");
    edtHeight = new QLineEdit(QString::number(engine.Height()), this);
    edtHeight->setObjectName("edtHeight");
    auto* lblWidth = new QLabel(tr("横のサイズ(&W)"), this);
    lblWidth->setObjectName("lblWidth");
    lblWidth->setBuddy(edtWidth);
    auto* lblHeight = new QLabel(tr("縦のサイズ(&H)"), this);
    lblHeight->setObjectName("lblHeight");
    lblHeight->setBuddy(edtHeight);
    bbnOk = new QPushButton(QStringLiteral("&OK"), this);
    bbnOk->setObjectName("bbnOk");
    bbnOk->setToolTip(tr("今回の設定を有効にする"));
    bbnOk->setDefault(true);
    bbnCancel = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this);
    bbnCancel->setObjectName("bbnCancel");

    auto* fields = new QGridLayout;
    fields->addWidget(lblWidth, 0, 0);
    fields->addWidget(edtWidth, 0, 1);
    fields->addWidget(lblHeight, 1, 0);
    fields->addWidget(edtHeight, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnOk);
    buttons->addWidget(bbnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSetting::bbnOkClick() {
    const std::optional<int> width = ParseInt32(edtWidth->text());
    const std::optional<int> height = ParseInt32(edtHeight->text());
    if (!width || !height) {
        prompt_.ShowError(tr("整数値を入力してください"));
        return;
    }
    if (*width <= 0 || *height <= 0) {
        prompt_.ShowError(tr("サイズは正の整数を指定してください"));
        return;
    }
    NewWidth = *width;
    NewHeight = *height;
    accept();
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CoordinateForm.h"

#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

// A number field that shows a number longer than itself from its start: the
// leading digits say where a deep view is, the last ones only how exactly.
// Tabbing into it still selects the whole number, so typing replaces it.
class TNumberEdit : public QLineEdit {
public:
    TNumberEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) { setCursorPosition(0); }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (hasSelectedText() && selectedText() == text())
            setSelection(int(text().size()), -int(text().size()));
    }
};

} // namespace

TCoordinateForm::TCoordinateForm(QDialog* dialog, const QString& information)
    : dialog_(dialog), fields_(new QGridLayout) {
    auto* label = new QLabel(information, dialog);
    label->setObjectName("lblInformation");
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(label);
    layout->addSpacing(4);
    layout->addLayout(fields_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* TCoordinateForm::AddField(const char* name, const QString& label, const QString& text) {
    auto* edit = new TNumberEdit(text, dialog_);
    edit->setObjectName(QString::fromLatin1(name));
    // Room for every digit "%g" writes: "-1.23456789012345E-100".
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-1.23456789012345E-100  ")));
    auto* caption = new QLabel(label, dialog_);
    caption->setObjectName("lbl" + QString::fromLatin1(name).mid(3));
    caption->setBuddy(edit);
    const int row = fields_->rowCount();
    fields_->addWidget(caption, row, 0);
    fields_->addWidget(edit, row, 1);
    return edit;
}

void TCoordinateForm::AddButtons(QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(QStringLiteral("&OK"), dialog_);
    ok->setObjectName("bbnOk");
    ok->setDefault(true);
    cancel = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), dialog_);
    cancel->setObjectName("bbnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = static_cast<QVBoxLayout*>(dialog_->layout());
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

} // namespace vistal::ui

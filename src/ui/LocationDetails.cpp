// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LocationDetails.h"

#include "ui/NumberText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace vistal::ui {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A value that can be selected and copied.
QLabel* ValueLabel(QWidget* parent, const char* name) {
    QLabel* label = NewLabel(parent, name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

int TLocationDetails::BuildDetails(QWidget* parent, QGridLayout* grid, int row) {
    lblType = ValueLabel(parent, "lblType");
    lblPower = ValueLabel(parent, "lblPower");
    lblCenterReal = ValueLabel(parent, "lblCenterReal");
    lblCenterImag = ValueLabel(parent, "lblCenterImag");
    lblWidth = ValueLabel(parent, "lblWidth");
    lblJuliaConst = NewLabel(parent, "lblJuliaConst", tr("じゅりあ定数"));
    lblJuliaConst1 = NewLabel(parent, "lblJuliaConst1", QStringLiteral("("));
    lblJuliaConst2 = NewLabel(parent, "lblJuliaConst2", QStringLiteral(","));
    lblJuliaConst3 = NewLabel(parent, "lblJuliaConst3", QStringLiteral(")"));
    lblJuliaConstReal = ValueLabel(parent, "lblJuliaConstReal");
    lblJuliaConstImag = ValueLabel(parent, "lblJuliaConstImag");

    const auto line = [](std::initializer_list<QWidget*> widgets) {
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        for (QWidget* w : widgets)
            box->addWidget(w);
        box->addStretch();
        return box;
    };
    grid->addWidget(NewLabel(parent, "lblTypeCaption", tr("T y p e")), row, 0);
    {
        QHBoxLayout* type = line({lblType});
        type->insertSpacing(1, 24);
        type->insertWidget(2, NewLabel(parent, "lblPowerCaption", tr("巾乗")));
        type->insertWidget(3, lblPower);
        grid->addLayout(type, row++, 1);
    }
    grid->addWidget(NewLabel(parent, "lblCenterCaption", tr("中  心")), row, 0);
    grid->addLayout(line({NewLabel(parent, nullptr, QStringLiteral("(")), lblCenterReal,
                          NewLabel(parent, nullptr, QStringLiteral(",")), lblCenterImag,
                          NewLabel(parent, nullptr, QStringLiteral(")"))}),
                    row++, 1);
    grid->addWidget(NewLabel(parent, "lblWidthCaption", tr("幅 (虚)")), row, 0);
    grid->addLayout(line({lblWidth}), row++, 1);
    grid->addWidget(lblJuliaConst, row, 0);
    grid->addLayout(
        line({lblJuliaConst1, lblJuliaConstReal, lblJuliaConst2, lblJuliaConstImag, lblJuliaConst3}), row++,
        1);
    return row;
}

void TLocationDetails::ClearDetails() {
    for (QLabel* value :
         {lblType, lblPower, lblCenterReal, lblCenterImag, lblWidth, lblJuliaConstReal, lblJuliaConstImag})
        value->clear();
    EnableJuliaRow(false);
}

void TLocationDetails::ShowDetails(const TViewPlace& place, int height) {
    const bool julia = place.Formula == fmJulia;
    switch (place.Formula) {
    case fmMandelbrot:
        lblType->setText(tr("びすたる"));
        break;
    case fmJulia:
        lblType->setText(tr("じゅりあ"));
        break;
    default:
        lblType->setText(QStringLiteral("Error"));
        break;
    }
    EnableJuliaRow(julia);
    if (julia) {
        lblJuliaConstReal->setText(FloatText(place.JuliaSeed.Re));
        lblJuliaConstImag->setText(FloatText(place.JuliaSeed.Im));
    } else {
        lblJuliaConstReal->clear();
        lblJuliaConstImag->clear();
    }
    lblPower->setText(QString::number(place.Pow));
    const TPlaceTexts texts = PlaceTexts(place.Position, height);
    // A deep centre is cut to the row; the whole number is the row's tip.
    for (auto [label, text] :
         {std::pair{lblCenterReal, texts.Re}, {lblCenterImag, texts.Im}, {lblWidth, texts.Span}}) {
        label->setText(text.size() > kShownDigits ? text.left(kShownDigits) + QStringLiteral("…") : text);
        label->setToolTip(text.size() > kShownDigits ? text : QString());
    }
}

void TLocationDetails::EnableJuliaRow(bool enabled) {
    for (QLabel* label : {lblJuliaConst, lblJuliaConst1, lblJuliaConst2, lblJuliaConst3})
        label->setEnabled(enabled);
}

} // namespace vistal::ui

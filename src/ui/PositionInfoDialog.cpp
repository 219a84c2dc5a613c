// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PositionInfoDialog.h"

#include "ui/FormulaLabel.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

// A value that reads like a label but can be selected and copied.
QLineEdit* ValueEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setToolTip(hint);
    edit->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-1.23456789012345E-100 ")));
    return edit;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TfrmPositionInfoDialog::TfrmPositionInfoDialog(const TExplorer& explorer, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), explorer_(explorer), prompt_(prompt) {
    setObjectName("frmPositionInfoDialog");
    lblRealP = ValueEdit(this, "lblRealP", tr("左端の実部です"));
    lblRealQ = ValueEdit(this, "lblRealQ", tr("右端の実部です"));
    lblImagQ = ValueEdit(this, "lblImagQ", tr("下端の虚部です"));
    lblImagP = ValueEdit(this, "lblImagP", tr("上端の虚部です"));
    edtRealCenter = ValueEdit(this, "edtRealCenter", tr("中心座標の実部です"));
    edtImagCenter = ValueEdit(this, "edtImagCenter", tr("中心座標の虚部です"));
    edtWidth = ValueEdit(this, "edtWidth", tr("幅(虚部)の大きさです"));
    edtJuliaConstReal = ValueEdit(this, "edtJuliaConstReal", tr("じゅりあ定数の実部です"));
    edtJuliaConstImag = ValueEdit(this, "edtJuliaConstImag", tr("じゅりあ定数の虚部です"));
    lblJuliaConst = Label(this, "lblJuliaConst", tr("じゅりあ定数"));
    bbnClose = new QPushButton(tr("閉じる(&C)"), this);
    bbnClose->setObjectName("bbnClose");
    bbnClose->setDefault(true);

    // One table: caption, "(", first value, "～" or ",", second value, ")".
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    auto row = [this, grid](int r, QLabel* caption, QWidget* first, const QString& between, QWidget* second,
                            bool brackets) {
        QList<QLabel*> marks;
        grid->addWidget(caption, r, 0);
        if (brackets) grid->addWidget(marks.emplaceBack(Label(this, "", QStringLiteral("("))), r, 1);
        grid->addWidget(first, r, 2);
        if (second) {
            grid->addWidget(marks.emplaceBack(Label(this, "", between)), r, 3, Qt::AlignHCenter);
            grid->addWidget(second, r, 4);
        }
        if (brackets) grid->addWidget(marks.emplaceBack(Label(this, "", QStringLiteral(")"))), r, 5);
        return marks;
    };
    row(0, Label(this, "lblReal", tr("実部")), lblRealP, tr("～"), lblRealQ, false);
    row(1, Label(this, "lblImag", tr("虚部")), lblImagQ, tr("～"), lblImagP, false);
    row(2, Label(this, "lblCenter", tr("中心")), edtRealCenter, QStringLiteral(","), edtImagCenter, true);
    row(3, Label(this, "lblWidth", tr("幅(虚)")), edtWidth, QString(), nullptr, false);
    juliaMarks_ = row(4, lblJuliaConst, edtJuliaConstReal, QStringLiteral(","), edtJuliaConstImag, true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(bbnClose, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { hide(); }); });
    Refresh();
}

void TfrmPositionInfoDialog::Refresh() {
    const TViewPlace place = explorer_.Place();
    setWindowTitle(tr("%1座標").arg(FormulaLabel(place.Formula)));
    const TVistal& engine = explorer_.Engine();
    TCornerTexts corners;
    if (engine.DeepView()) {
        // Doubles cannot tell the corners from the centre.
        corners = CornerTexts(engine.Position(), engine.Width(), engine.Height());
    } else {
        const TComplex p = engine.GetPointP(), q = engine.GetPointQ();
        corners = {FloatText(p.Re), FloatText(p.Im), FloatText(q.Re), FloatText(q.Im)};
    }
    const TPlaceTexts texts = PlaceTexts(place.Position, engine.Height());
    for (auto [edit, text] : {std::pair{lblRealP, corners.PRe},
                              {lblRealQ, corners.QRe},
                              {lblImagQ, corners.QIm},
                              {lblImagP, corners.PIm},
                              {edtRealCenter, texts.Re},
                              {edtImagCenter, texts.Im},
                              {edtWidth, texts.Span}}) {
        edit->setText(text);
        edit->setCursorPosition(0); // a long number shows from its start
    }
    const bool julia = place.Formula == fmJulia;
    if (julia) {
        edtJuliaConstReal->setText(FloatText(place.JuliaSeed.Re));
        edtJuliaConstImag->setText(FloatText(place.JuliaSeed.Im));
    } else {
        edtJuliaConstReal->clear();
        edtJuliaConstImag->clear();
    }
    for (QWidget* w : {static_cast<QWidget*>(lblJuliaConst), static_cast<QWidget*>(edtJuliaConstReal),
                       static_cast<QWidget*>(edtJuliaConstImag)})
        w->setEnabled(julia);
    for (QLabel* mark : juliaMarks_)
        mark->setEnabled(julia);
}

} // namespace vistal::ui

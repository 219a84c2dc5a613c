// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UCustomColor.h"

#include "ui/Guard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

constexpr int kSwatchSize = 32;
constexpr int kSwatchFrame = 1;

QRgb RgbOf(TColor color) {
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor ColorOf(QRgb rgb) {
    return TColor(qRed(rgb)) | TColor(qGreen(rgb)) << 8 | TColor(qBlue(rgb)) << 16;
}

} // namespace

// ---- the swatch ---------------------------------------------------------------

TColorSwatch::TColorSwatch(QWidget* parent)
    : QWidget(parent), Image(kSwatchSize, kSwatchSize, QImage::Format_RGB32) {
    Image.fill(Qt::black);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize TColorSwatch::sizeHint() const {
    return {kSwatchSize + 2 * kSwatchFrame, kSwatchSize + 2 * kSwatchFrame};
}

void TColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(kSwatchFrame, kSwatchFrame, Image);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        option.backgroundColor = QColor(Image.pixel(0, 0));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

void TColorSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && OnClick) {
        OnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- the dialog ---------------------------------------------------------------

TfrmCustomColor::TfrmCustomColor(TPrompt& prompt, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompt_(prompt) {
    setObjectName("frmCustomColor");
    setWindowTitle(tr("色0の設定"));

    grpColor0 = new QGroupBox(tr("色0の設定"), this);
    grpColor0->setObjectName("grpColor0");
    rdbStandard = new QRadioButton(tr("標準の色を使う"), grpColor0);
    rdbStandard->setObjectName("rdbStandard");
    rdbCustom = new QRadioButton(tr("指定した色を使う"), grpColor0);
    rdbCustom->setObjectName("rdbCustom");
    imgCustomColor = new TColorSwatch(grpColor0);
    imgCustomColor->setObjectName("imgCustomColor");
    bbnOK = new QPushButton(QStringLiteral("OK"), this);
    bbnOK->setObjectName("bbnOK");
    bbnOK->setDefault(true);
    bbnCancel = new QPushButton(tr("キャンセル"), this);
    bbnCancel->setObjectName("bbnCancel");
    bbnCancel->setAutoDefault(false);

    // The swatch stands beside the choice it belongs to.
    auto* custom = new QHBoxLayout;
    custom->addWidget(rdbCustom);
    custom->addSpacing(8);
    custom->addWidget(imgCustomColor);
    custom->addStretch();
    auto* group = new QVBoxLayout(grpColor0);
    group->addWidget(rdbStandard);
    group->addLayout(custom);

    // Wide enough for the caption, which the window manager follows with the
    // program's name.
    grpColor0->setMinimumWidth(fontMetrics().horizontalAdvance(tr("色0の設定 — びすたる")) + 96);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnOK);
    buttons->addWidget(bbnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpColor0);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    imgCustomColor->OnClick = [this] { Guarded(prompt_, [this] { imgCustomColorClick(); }); };
    connect(bbnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);

    // FormCreate
    rdbStandard->setChecked(true);
    SetColor(0);
}

void TfrmCustomColor::SetUseColor0(bool custom) {
    (custom ? rdbCustom : rdbStandard)->setChecked(true);
}

bool TfrmCustomColor::UseColor0() const {
    return rdbCustom->isChecked();
}

void TfrmCustomColor::SetColor(TColor color) {
    imgCustomColor->Image.fill(RgbOf(color));
    imgCustomColor->update();
}

TColor TfrmCustomColor::GetColor() const {
    return ColorOf(imgCustomColor->Image.pixel(0, 0));
}

void TfrmCustomColor::imgCustomColorClick() {
    if (const std::optional<TColor> chosen = prompt_.ChooseColor(GetColor())) SetColor(*chosen);
}

} // namespace vistal::ui

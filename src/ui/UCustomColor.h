// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmCustomColor: the colour-0 dialog (色0の設定). It chooses between the
// palette's own colour for the points that never escape and a colour of the
// user's, shown in a swatch; a click on the swatch (or Space while it has the
// focus) opens the colour picker. The dialog only holds the choice: the
// command that opens it reads it back after OK.
#pragma once

#include "base/Bitmap.h"
#include "ui/Prompt.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vistal::ui {

// A colour swatch: a 32 × 32 picture of one colour in a thin frame, which
// can be clicked.
class TColorSwatch : public QWidget {
public:
    explicit TColorSwatch(QWidget* parent = nullptr);

    // The picture: the chosen colour in every pixel.
    QImage Image;
    std::function<void()> OnClick;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TfrmCustomColor : public QDialog {
    Q_OBJECT

public:
    // The swatch starts black and 標準の色を使う is chosen.
    explicit TfrmCustomColor(TPrompt& prompt, QWidget* parent = nullptr);

    QGroupBox* grpColor0;
    QRadioButton* rdbStandard; // 標準の色を使う: the palette's colour 0
    QRadioButton* rdbCustom;   // 指定した色を使う: the swatch's colour
    TColorSwatch* imgCustomColor;
    QPushButton* bbnOK;
    QPushButton* bbnCancel;

    // The choice: true when 指定した色を使う is chosen (UseColor0).
    void SetUseColor0(bool custom);
    bool UseColor0() const;
    // The swatch's colour (0x00BBGGRR), read back from its top-left pixel.
    void SetColor(TColor color);
    TColor GetColor() const;

    // Opens the colour picker on the swatch's colour; a colour picked fills
    // the swatch.
    void imgCustomColorClick();

private:
    TPrompt& prompt_;
};

} // namespace vistal::ui

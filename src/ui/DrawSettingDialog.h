// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmDrawSettingDialog: the draw-setting window (描画設定). Every drawing
// parameter of the engine on one page, applied all at once before a redraw.
// It lives as long as the program, is only shown and hidden, and shows the
// engine's values when it is created, when it is shown and before every
// drawing, so edits that were not applied give way to the next drawing.
//
// Applying goes through the explorer's Select operations, so the menu checks
// follow, and 再描画 draws through it. The first value that cannot be applied
// ends the apply with its message: the values before it stay applied, and
// nothing is drawn.
#pragma once

#include "ui/Explorer.h"
#include "ui/Prompt.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vistal::ui {

class TfrmDrawSettingDialog : public QDialog {
    Q_OBJECT

public:
    // Starts with the values of the explorer's engine.
    TfrmDrawSettingDialog(TExplorer& explorer, TPrompt& prompt, QWidget* parent = nullptr);

    QLabel* lblType;
    QComboBox* cmbType; // びすたる, じゅりあ
    QLabel* lblDrawMode;
    QRadioButton* rdbBasic;
    QRadioButton* rdbExt;
    QComboBox* cmbDrawModeBasic; // DrawMode 0..4
    QComboBox* cmbDrawModeExt;   // DrawMode 5..8
    QLabel* lblCompo;
    QComboBox* cmbCompo; // あり (DrawCompo 1), なし (0)
    QLabel* lblBright;
    QComboBox* cmbBright; // PotentialBright 0..3
    QLabel* lblCorrection;
    QComboBox* cmbCorrection; // editable: any number
    QLabel* lblLightDark;
    QComboBox* cmbLightDark;
    QLabel* lblRepresentation;
    QComboBox* cmbRepresentation;
    QLabel* lblEscape;
    QComboBox* cmbEscape; // editable: any number
    QLabel* lblIteration;
    QComboBox* cmbIteration; // editable: an integer
    QLabel* lblDetail;
    QComboBox* cmbDetail; // editable: an integer
    QLabel* lblPower;
    QComboBox* cmbPower; // editable: an integer
    QLabel* lblShadeOff;
    QCheckBox* ckbShadeOff;
    QLabel* lblBrightnessRaito;
    QLineEdit* txtBrightnessRaito; // -1..1
    QPushButton* bbnReDraw;
    QPushButton* bbnClose;

    // Shows the engine's current values.
    void SetCurrentValues();
    // Sets the engine's parameters from the controls, in a fixed order.
    void ApplyValues();

    // 再描画: apply, then an ordinary drawing.
    void bbnReDrawClick();
    // 閉じる: hides the window.
    void bbnCloseClick();
    // 基本 or 拡張: the controls of that kind of method are enabled, and the
    // label of the method focuses the chosen button.
    void rdbBasicClick();
    void rdbExtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void EnableMethodControls(bool extended);

    TExplorer& explorer_;
    TPrompt& prompt_;
    bool placed_ = false;
};

} // namespace vistal::ui

// TfrmPositionInfoDialog: the modeless window that shows where the view is:
// the real and imaginary extent of the picture, its centre and width and, for
// Julia sets, the constant. The values sit in read-only borderless edits so
// they can be selected and copied. Refresh brings it up to date; 閉じる hides it.
#pragma once

#include "engine/vistal_class.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmPositionInfoDialog : public QDialog {
    Q_OBJECT

public:
    // Shows the engine's view from the start.
    TfrmPositionInfoDialog(const TVistal& engine, TPrompt& prompt, QWidget* parent = nullptr);

    QLabel* lblRealP;
    QLabel* lblRealQ;
    QLabel* lblImagQ;
    QLabel* lblImagP;
    QLineEdit* edtRealCenter;
    QLineEdit* edtImagCenter;
    QLineEdit* edtWidth;
    QLabel* lblJuliaConst;
    QLineEdit* edtJuliaConstReal;
    QLineEdit* edtJuliaConstImag;
    QPushButton* bbnClose;

    // Caption, extent, centre, width and Julia constant from the engine.
    void Refresh(const TVistal& engine);

private:
    QList<QLabel*> juliaMarks_; // the brackets and the comma of the Julia row
    TPrompt& prompt_;
};

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmVrpSetting (おすすめ座標に関する設定): the recommendation options: the
// list to load at start-up, whether a record's palette file is used, and
// whether lists are sorted by title. Created each time it is opened.
#pragma once

#include "locations/UGlobal.h"
#include "ui/Prompt.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmVrpSetting : public QDialog {
    Q_OBJECT

public:
    TfrmVrpSetting(TGlobal& global, TPrompt& prompt, QWidget* parent = nullptr);

    QCheckBox* ckbVrpLoad;
    QLineEdit* edtVrpFile;
    QPushButton* bbnBrowse;
    QCheckBox* ckbVcp;
    QCheckBox* ckbTitleSorted;
    QPushButton* bbnOk;
    QPushButton* bbnCancel;

    // Fills the controls from the settings (each showing).
    void FormActivate();
    // The file edit and its browse button serve only a list loaded at start-up.
    void ckbVrpLoadClick();
    void bbnBrowseClick();
    // Stores the three options; closes unless a start-up list is asked for
    // that does not exist.
    void bbnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TGlobal& global_;
    TPrompt& prompt_;
    QString dialogFileName_; // the open dialog's file name
};

} // namespace vistal::ui

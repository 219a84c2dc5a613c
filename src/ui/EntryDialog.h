// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmEntry (おすすめ座標の登録): registers the main view as a new record of a
// recommendation list. It shows the view, asks for the list file, a title, a
// palette name and a memo, appends the record and makes that file the list in
// use. It lives as long as the program; every showing starts afresh from the
// main view.
#pragma once

#include "ui/Explorer.h"
#include "ui/LocationDetails.h"
#include "ui/Prompt.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vistal::ui {

class TfrmVrpDialog;

class TfrmEntry : public QDialog, public TLocationDetails {
    Q_OBJECT

public:
    // vrpDialog is reloaded from the list file after every registration.
    TfrmEntry(TExplorer& explorer, TfrmVrpDialog& vrpDialog, TPrompt& prompt, QWidget* parent = nullptr);

    QLineEdit* edtVrp;
    QPushButton* bbnSaveFileNameBrowse;
    QLineEdit* edtTitle;
    QLineEdit* edtVcp;
    QPushButton* bbnVcpBrows;
    QLineEdit* edtMemo;
    QPushButton* bbnEntry;
    QPushButton* bbnCancel;

    // The list file, title, palette name and memo afresh, the view from the
    // explorer (each showing).
    void FormActivate();
    void UpdateEntryCaption();
    void bbnSaveFileNameBrowseClick();
    void bbnVcpBrowsClick();
    // Appends the record; closes with OK once it is written and the list
    // dialog holds it, otherwise reports why and stays open.
    void bbnEntryClick();

    // Fills the dialog before it is shown, so that it is placed at the size
    // it shows at: a dialog that grows once it is on the screen can be moved
    // to the screen's corner by a window manager that has not yet told where
    // it put it.
    void setVisible(bool visible) override;

private:
    TExplorer& explorer_;
    TfrmVrpDialog& vrpDialog_;
    TPrompt& prompt_;
    QString vrpInitialDir_; // where the VRP dialog starts; empty: where it was last
    QString vcpInitialDir_;
};

} // namespace vistal::ui

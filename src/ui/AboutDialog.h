// SPDX-License-Identifier: GPL-3.0-or-later
// The about box ﾊﾞｰｼﾞｮﾝ情報: the icon, the title, the version and the licence
// notice, with one OK button.
#pragma once

#include "base/AboutText.h"

#include <QCoreApplication>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace vistal::ui {

class TPrompt;

// The form of the box.
class TfrmAbout : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmAbout)

public:
    TfrmAbout(const QString& title, const QString& version, QWidget* parent = nullptr);

    QLabel* imgIcon;
    QLabel* lblTitle;
    QLabel* lblVersion; // "Version " and the version
    QLabel* lblNotice;  // the licence notice
    QPushButton* bbnOK;
};

// The main window's dlgAbout: what the box shows, and the command that shows it.
class TAboutDialog {
    Q_DECLARE_TR_FUNCTIONS(TAboutDialog)

public:
    QString Title = tr("びすたる");
    QString Version = QString::fromUtf8(kProgramVersion.data(), kProgramVersion.size());

    // Shows the box modally through the prompt, above the prompt's window.
    void Execute(TPrompt& prompt) const;
};

} // namespace vistal::ui

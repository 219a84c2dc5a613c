// SPDX-License-Identifier: GPL-3.0-or-later
// TPrompt: every message box, confirmation, beep and common dialog of the
// explorer goes through this one interface. The program uses TQtPrompt; the
// tests install one that records what was asked and answers it.
#pragma once

#include "base/Bitmap.h"
#include "base/UType.h"

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace vistal::ui {

// A file dialog as the program asks for it. Filter is written as pairs of
// description and pattern separated by "|" ("VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*").
struct TFileRequest {
    QString Title;
    QString Filter;
    int FilterIndex = 1;    // 1-based, as the filter pairs are counted
    QString InitialDir;     // empty: wherever the dialog last was
    QString FileName;       // proposed name
    QString DefaultSuffix;  // appended by the dialog when the typed name has none
    bool MustExist = false; // open dialogs: path and file must exist
    // Save dialogs: ask before a file that exists is taken.
    bool ConfirmOverwrite = true;
};

// The user's choice in a file dialog.
struct TFileChoice {
    QString FileName;
    int FilterIndex = 1; // the filter pair selected when the dialog closed
};

class TPrompt {
public:
    virtual ~TPrompt() = default;

    // The shared error report: an error beep, then a modal error box with the
    // text and one OK button.
    virtual void ShowError(const QString& text) = 0;
    // A modal box with Yes and No; true for Yes.
    virtual bool Confirm(const QString& text) = 0;
    // A modal information box with one OK button.
    virtual void ShowInformation(const QString& text) = 0;
    // The system's asterisk sound (input dialogs refusing a value).
    virtual void Beep() = 0;

    virtual std::optional<TFileChoice> OpenFile(const TFileRequest& request) = 0;
    virtual std::optional<TFileChoice> SaveFile(const TFileRequest& request) = 0;
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startDir) = 0;
    virtual std::optional<TColor> ChooseColor(TColor initial) = 0;

    // Runs one of the program's own dialogs modally and returns its result
    // (QDialog::Accepted or Rejected).
    virtual int Exec(QDialog& dialog) = 0;
    // Opens a local file (the help page) in the user's viewer; false when the
    // desktop could not open it.
    virtual bool OpenDocument(const QString& fileName) = 0;

    // The window the boxes belong to (may be null).
    QWidget* Parent = nullptr;
};

// The real dialogs: QMessageBox, QFileDialog, QColorDialog, QApplication::beep.
class TQtPrompt : public TPrompt {
public:
    void ShowError(const QString& text) override;
    bool Confirm(const QString& text) override;
    void ShowInformation(const QString& text) override;
    void Beep() override;
    std::optional<TFileChoice> OpenFile(const TFileRequest& request) override;
    std::optional<TFileChoice> SaveFile(const TFileRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startDir) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
    int Exec(QDialog& dialog) override;
    bool OpenDocument(const QString& fileName) override;
};

// "desc|pattern|desc|pattern" as Qt writes it: "desc (pattern);;desc (pattern)".
// A description that already ends in its patterns in brackets (in any letter
// case) shows them once, as the pattern gives them: "VCPﾌｧｲﾙ(*.VCP)|*.vcp" is
// "VCPﾌｧｲﾙ(*.vcp)".
QString QtFilter(const QString& filter);
// The 1-based index of a Qt filter string within the converted list, or 1.
int FilterIndexOf(const QString& filter, const QString& selected);

// Sends the core's error reports to a prompt, worded in the window's language.
class TPromptReporter : public TErrorReporter {
public:
    explicit TPromptReporter(TPrompt& prompt);
    void ShowError(const std::string& text) override;

private:
    TPrompt& prompt_;
};

} // namespace vistal::ui

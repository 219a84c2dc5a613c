// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Prompt.h"

#include "ui/AppTitle.h"
#include "ui/Language.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include <QUrl>
#include <algorithm>

namespace vistal::ui {

namespace {

QString BoxCaption() {
    return ApplicationTitle();
}

// Runs a file dialog; open and save differ only in their mode.
std::optional<TFileChoice> RunFileDialog(QWidget* parent, const TFileRequest& r, bool save) {
    QFileDialog dialog(parent, r.Title, r.InitialDir);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (r.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    const QStringList filters = QtFilter(r.Filter).split(";;", Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(r.FilterIndex, 1, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters.at(index - 1));
    }
    if (!r.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(r.DefaultSuffix);
    if (save && !r.ConfirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.FileName.isEmpty()) dialog.selectFile(r.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return TFileChoice{dialog.selectedFiles().first(),
                       FilterIndexOf(QtFilter(r.Filter), dialog.selectedNameFilter())};
}

} // namespace

void TQtPrompt::ShowError(const QString& text) {
    QApplication::beep();
    QMessageBox::critical(Parent, BoxCaption(), text, QMessageBox::Ok);
}

bool TQtPrompt::Confirm(const QString& text) {
    return QMessageBox::question(Parent, BoxCaption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void TQtPrompt::ShowInformation(const QString& text) {
    QMessageBox::information(Parent, BoxCaption(), text, QMessageBox::Ok);
}

void TQtPrompt::Beep() {
    QApplication::beep();
}

std::optional<TFileChoice> TQtPrompt::OpenFile(const TFileRequest& request) {
    return RunFileDialog(Parent, request, false);
}

std::optional<TFileChoice> TQtPrompt::SaveFile(const TFileRequest& request) {
    return RunFileDialog(Parent, request, true);
}

std::optional<QString> TQtPrompt::ChooseFolder(const QString& title, const QString& startDir) {
    const QString folder = QFileDialog::getExistingDirectory(Parent, title, startDir);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<TColor> TQtPrompt::ChooseColor(TColor initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, Parent);
    if (!chosen.isValid()) return std::nullopt;
    return TColor(chosen.red()) | TColor(chosen.green()) << 8 | TColor(chosen.blue()) << 16;
}

int TQtPrompt::Exec(QDialog& dialog) {
    return dialog.exec();
}

bool TQtPrompt::OpenDocument(const QString& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        const QString named = "(" + patterns + ")";
        patterns.replace(';', ' ');
        // "JPEGﾌｧｲﾙ(*.jpeg;*.jpg)" and "VCPﾌｧｲﾙ(*.VCP)" name their patterns
        // already. Qt reads them from the last brackets, separated by spaces,
        // and a dialog of the desktop may compare them with letter case: the
        // brackets get the patterns as given.
        if (parts[i].endsWith(named, Qt::CaseInsensitive))
            out << parts[i].chopped(named.size()) + "(" + patterns + ")";
        else
            out << parts[i] + " (" + patterns + ")";
    }
    return out.join(";;");
}

int FilterIndexOf(const QString& filter, const QString& selected) {
    const QStringList filters = filter.split(";;");
    const qsizetype i = filters.indexOf(selected);
    return i < 0 ? 1 : static_cast<int>(i) + 1;
}

TPromptReporter::TPromptReporter(TPrompt& prompt) : prompt_(prompt) {
    Language = InterfaceLanguage();
}

void TPromptReporter::ShowError(const std::string& text) {
    prompt_.ShowError(QString::fromStdString(text));
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// A prompt for the window tests: it records every message and answers every
// question and dialog from queues the test fills beforehand. A question with no
// answer queued fails the test, and so does an error box the test did not
// announce (ExpectErrors) before it came.
#pragma once

#include "ui/Prompt.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace vistal::test {

class TRecordingPrompt : public ui::TPrompt {
public:
    QStringList Errors, Informations, Questions;
    int Beeps = 0;
    std::deque<bool> ConfirmAnswers;
    std::deque<std::optional<ui::TFileChoice>> FileAnswers;
    std::vector<ui::TFileRequest> FileRequests;
    std::deque<std::optional<QString>> FolderAnswers;
    std::deque<std::optional<TColor>> ColorAnswers;
    std::vector<TColor> ColorRequests;
    // Each answers one modal dialog of the program: it may fill in fields and
    // press buttons, and returns the dialog's result.
    std::deque<std::function<int(QDialog&)>> DialogAnswers;
    QStringList Documents;
    bool OpenDocumentResult = true;

    // The test expects count more error boxes.
    void ExpectErrors(int count) { expectedErrors_ += count; }

    void ShowError(const QString& text) override {
        Errors << text;
        if (++shownErrors_ > expectedErrors_)
            ADD_FAILURE() << "unannounced error box: " << text.toStdString();
    }
    bool Confirm(const QString& text) override {
        Questions << text;
        return Take(ConfirmAnswers, "confirmation", false);
    }
    void ShowInformation(const QString& text) override { Informations << text; }
    void Beep() override { ++Beeps; }
    std::optional<ui::TFileChoice> OpenFile(const ui::TFileRequest& r) override {
        FileRequests.push_back(r);
        return Take(FileAnswers, "file dialog", std::optional<ui::TFileChoice>());
    }
    std::optional<ui::TFileChoice> SaveFile(const ui::TFileRequest& r) override {
        FileRequests.push_back(r);
        return Take(FileAnswers, "file dialog", std::optional<ui::TFileChoice>());
    }
    std::optional<QString> ChooseFolder(const QString&, const QString&) override {
        return Take(FolderAnswers, "folder dialog", std::optional<QString>());
    }
    std::optional<TColor> ChooseColor(TColor initial) override {
        ColorRequests.push_back(initial);
        return Take(ColorAnswers, "colour dialog", std::optional<TColor>());
    }
    int Exec(QDialog& dialog) override {
        if (DialogAnswers.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        auto answer = std::move(DialogAnswers.front());
        DialogAnswers.pop_front();
        return answer(dialog);
    }
    bool OpenDocument(const QString& fileName) override {
        Documents << fileName;
        return OpenDocumentResult;
    }

private:
    int expectedErrors_ = 0, shownErrors_ = 0;

    // Answers are taken from the front; an empty queue fails the test and
    // answers "cancelled".
    template <class T> static T Take(std::deque<T>& queue, const char* what, T fallback) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return fallback;
        }
        std::swap(fallback, queue.front());
        queue.pop_front();
        return fallback;
    }
};

} // namespace vistal::test

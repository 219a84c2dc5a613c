// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer with a view of no widgets: it notes what the explorer asks of
// the screen, answers its questions from fields the test sets, and keeps the
// error reports. Neither Qt nor a display is needed.
#pragma once

#include "ui/Explorer.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace vistal::test {

class TFakeView : public ui::TExplorerView, public TErrorReporter {
public:
    // What was asked, as far as the tests look at it.
    bool Busy = false;
    int Repaints = 0;
    int RepaintInterval = 0;
    std::vector<int> RepaintIntervals; // every interval asked for while drawing
    ui::TPictureSize Picture;          // the size of the picture on screen
    bool FullScreen = false;
    ui::TPoint Place{30, 40}; // where the window stands
    ui::TPictureSize Screen{640, 400};
    std::string Status;                 // "256 1 標準" at the start of a drawing
    std::optional<double> DrawingTime;  // nothing: stopped
    std::string Width;                  // "3" at the start of the first drawing
    std::vector<ui::TDrawPhase> Phases; // each phase shown while drawing, once in a row
    bool IterationAuto = false;
    std::vector<int> Raised; // every limit the automatic limit raised to
    std::vector<ui::TSizeRefusal> Refusals;
    std::vector<std::function<void()>> Posted;
    int DialogRefreshes = 0;
    bool CloseAnswer = false;
    // Runs inside every event processing of a drawing.
    std::function<void()> OnEvents;

    // The error reports, and how many the test expects: any other fails it.
    std::vector<std::string> Errors;
    std::size_t ErrorsExpected = 0;

    // Runs the tasks posted so far, as the events after a command.
    void RunPosted() {
        std::vector<std::function<void()>> tasks;
        tasks.swap(Posted);
        for (auto& task : tasks)
            try {
                task();
            } catch (const EAbort&) {
            }
    }

    void ShowChecks() override {}
    void ShowBusy(bool busy) override { Busy = busy; }
    void ShowStatus(int iteration, int detail, const std::string& palette) override {
        Status = std::to_string(iteration) + " " + std::to_string(detail) + " " + palette;
    }
    void ShowWidth(const std::string& width) override { Width = width; }
    void ShowIterationAuto(bool on, int raisedTo) override {
        IterationAuto = on;
        if (raisedTo > 0) Raised.push_back(raisedTo);
    }
    void ShowProgress(double, ui::TDrawPhase phase) override {
        if (Phases.empty() || Phases.back() != phase) Phases.push_back(phase);
    }
    void ShowDrawingTime(std::optional<double> seconds) override { DrawingTime = seconds; }
    void Repaint() override { ++Repaints; }
    void SetRepaintInterval(int ms) override {
        RepaintInterval = ms;
        if (ms > 0) RepaintIntervals.push_back(ms);
    }
    void ResizePicture(int w, int h) override { Picture = {w, h}; }
    void ShowBars() override {}
    ui::TPictureSize ScreenSize() const override { return Screen; }
    ui::TPoint WindowPlace() const override { return Place; }
    void ShowFullScreen() override { FullScreen = true; }
    void ShowWindowed(int w, int h, ui::TPoint place) override {
        FullScreen = false;
        Picture = {w, h};
        Place = place;
    }
    void RefreshDialogs() override { ++DialogRefreshes; }
    void ProcessEvents() override {
        if (OnEvents) OnEvents();
    }
    void Post(std::function<void()> task) override { Posted.push_back(std::move(task)); }
    bool ConfirmClose() override { return CloseAnswer; }
    void RefusePictureSize(const ui::TSizeRefusal& refusal) override { Refusals.push_back(refusal); }

    void ShowError(const std::string& text) override {
        Errors.push_back(text);
        if (Errors.size() > ErrorsExpected) ADD_FAILURE() << "unexpected error report: " << text;
    }
};

// A fake view with its explorer.
struct TFakeExplorer {
    TFakeView view;
    ui::TExplorer explorer{view, view};
};

} // namespace vistal::test

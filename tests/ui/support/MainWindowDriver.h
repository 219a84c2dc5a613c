// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the main window in tests: a window started as the program starts
// it, with every prompt answered by a TRecordingPrompt, the picture as the
// core draws it, and mouse events sent to the picture.
#pragma once

#include "engine/StartupParameters.h"
#include "support/RecordingPrompt.h"
#include "ui/MainForm.h"
#include "ui/PaintBox.h"
#include "ui/StatusPanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <functional>
#include <memory>

namespace vistal::test {

using ui::TfrmMain;

// The start-up picture as the core draws it, changed first by change.
inline TBitmap StartupPicture(const std::function<void(TVistal&)>& change = {}) {
    TVistal engine;
    ApplyStartupParameters(engine);
    if (change) change(engine);
    engine.Draw();
    return engine.DrawBitmap();
}

// A menu item of the window by its component name.
inline QAction* Action(TfrmMain& w, const char* name) {
    QAction* action = w.findChild<QAction*>(QString::fromLatin1(name));
    if (!action) ADD_FAILURE() << "no menu item " << name;
    return action;
}

inline QImage Shown(TfrmMain& w) {
    return w.ptbVistal->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons buttons, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, keys);
    QCoreApplication::sendEvent(target, &event);
}

inline void Drag(TfrmMain& w, QPoint from, QPoint to, QPoint release) {
    Mouse(w.ptbVistal, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(w.ptbVistal, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(w.ptbVistal, QEvent::MouseButtonRelease, release, Qt::LeftButton, Qt::NoButton);
}

inline void Click(TfrmMain& w, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers keys = {}) {
    Mouse(w.ptbVistal, QEvent::MouseButtonPress, at, button, button, keys);
    Mouse(w.ptbVistal, QEvent::MouseButtonRelease, at, button, Qt::NoButton, keys);
}

// Runs action once, at the given progress point of the next drawing.
inline void AtRow(TfrmMain& w, int row, std::function<void()> action) {
    auto count = std::make_shared<int>(0);
    w.Vistal().PumpHook = [&w, count, row, action] {
        if (++*count == row) action();
        w.Explorer().PumpEvents();
    };
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(QString::fromStdString(SettingsFileName())); }

    // The window as the program starts it, with the file named on its command line.
    TfrmMain& Start(const QString& startupFile = {}) {
        window = std::make_unique<TfrmMain>(&prompt);
        window->StartupFile = startupFile;
        window->show();
        window->Command([this] { window->FormActivate(); });
        QCoreApplication::processEvents();
        return *window;
    }
    QString Panel(int i) const { return window->stbPanels[i]->text(); }

    TRecordingPrompt prompt; // outlives the window
    std::unique_ptr<TfrmMain> window;
};

} // namespace vistal::test

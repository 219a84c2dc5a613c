// SPDX-License-Identifier: GPL-3.0-or-later
// TExplorerView: what the explorer (TExplorer) asks of the screen. The main
// window implements it with widgets; the explorer's tests with a record of the
// calls. Every call comes from the user-interface thread, also from inside a
// drawing (ProcessEvents). Besides the arguments, the view reads what it shows
// from the explorer's state (the checks, the bars chosen, the formula).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vistal::ui {

// What a drawing does: a deep view makes its reference orbit and its
// approximation tables before its pixels; an ordinary view has no phases.
enum class TDrawPhase { None, Reference, Tables, Pixels };

struct TPoint {
    int X = 0, Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TPictureSize {
    int Width = 0, Height = 0;
    friend bool operator==(const TPictureSize&, const TPictureSize&) = default;
};

// A rectangle of the desktop: a window's frame, a screen's free area.
struct TScreenRect {
    TPoint Place;
    TPictureSize Size;
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

// Why a picture size is refused: it is larger than a picture may be, or the
// machine cannot hold it (then Need and Available are the bytes it takes and
// the bytes there are).
struct TSizeRefusal {
    TPictureSize Size;
    bool Memory = false;
    std::uint64_t Need = 0, Available = 0;
};

class TExplorerView {
public:
    virtual ~TExplorerView() = default;

    // The menu checks, the items enabled or hidden, the back button: as the
    // explorer's state has them.
    virtual void ShowChecks() = 0;
    // The marks of a drawing under way (the title starts with "* ", 中断 is
    // enabled and saving is not), or of none.
    virtual void ShowBusy(bool busy) = 0;
    // The status panels: at the start of a drawing, its iteration limit,
    // detail and palette, and the view's width ("1.5E-312"); while it runs,
    // the share done (0..1) and, for a deep view, the phase; at its end, the
    // seconds it took, or nothing when it was stopped.
    virtual void ShowStatus(int iteration, int detail, const std::string& paletteName) = 0;
    virtual void ShowWidth(const std::string& width) = 0;
    // The automatic iteration limit is on or off; raisedTo (above 0) says
    // that it has just raised the limit to this value.
    virtual void ShowIterationAuto(bool on, int raisedTo) = 0;
    virtual void ShowProgress(double done, TDrawPhase phase) = 0;
    virtual void ShowDrawingTime(std::optional<double> seconds) = 0;

    // The picture as the engine has it now.
    virtual void Repaint() = 0;
    // Repaints every ms milliseconds while ms is above 0; 0 stops.
    virtual void SetRepaintInterval(int ms) = 0;
    // The picture measures w × h pixels and the window fits it.
    virtual void ResizePicture(int w, int h) = 0;
    // The tool bar and the status bar as checked (none in full screen); the
    // window fits the picture.
    virtual void ShowBars() = 0;

    // Full screen: the screen's size, where the window is, the window without
    // menus and bars filling the screen, and back: the bars and menus, the
    // picture of w × h, the window of fixed size again at its place.
    virtual TPictureSize ScreenSize() const = 0;
    virtual TPoint WindowPlace() const = 0;
    virtual void ShowFullScreen() = 0;
    virtual void ShowWindowed(int w, int h, TPoint place) = 0;

    // The windows that follow every drawing show the view about to be drawn.
    virtual void RefreshDialogs() = 0;
    // Pending events run (from inside a drawing, which they may stop).
    virtual void ProcessEvents() = 0;
    // Runs a task once the pending events are through, as an event handler.
    virtual void Post(std::function<void()> task) = 0;

    // Asks whether to close while a drawing runs.
    virtual bool ConfirmClose() = 0;
    // Tells why a picture size cannot be had.
    virtual void RefusePictureSize(const TSizeRefusal& refusal) = 0;
};

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Explorer.h"

#include "engine/OldPicture.h"
#include "engine/PictureMemory.h"
#include "locations/UFss.h"
#include "locations/URecommendation.h"
#include "locations/ViewText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace vistal::ui {

namespace {

// A drawing processes pending events after a row once this much time has
// passed since it last did: far below what anyone can notice, and far above
// what a row of a small picture takes, so that a small picture does not spend
// more time on its events than on its rows.
constexpr auto kPumpPeriod = std::chrono::milliseconds(1);
// The progress changes at most this often while a drawing runs.
constexpr auto kProgressPeriod = std::chrono::milliseconds(50);
// Pictures of the window's size held at once: the drawing, the copy with the
// output effects (which can be switched on at any time without a new drawing)
// and the window's own buffer on screen.
constexpr int kPicturesOnScreen = 3;

// The width of a view as the status bar shows it: "%g" where doubles hold the
// view, mantissa and exponent below ("1.5E-312").
std::string WidthText(const TDeepPosition& position) {
    std::string text = ViewTexts(position, 1, false).Span;
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c == 'e' ? 'E' : c; });
    return text;
}

// What the drawing under way does now.
TDrawPhase PhaseOf(const TVistal& e) {
    const std::string_view phase = e.ProgressPhase();
    if (phase == "reference orbit") return TDrawPhase::Reference;
    if (phase == "approximation tables") return TDrawPhase::Tables;
    return e.DeepPlan() ? TDrawPhase::Pixels : TDrawPhase::None;
}

} // namespace

std::optional<int> RaisedLimit(const TLimitShare& share, int limit, bool deep) {
    if (share.Samples == 0 || limit >= kMaxAutoIteration) return std::nullopt;
    // Shares in thousandths of the samples.
    const auto atLeast = [&share](std::int64_t n, std::int64_t thousandths) {
        return n * 1000 >= share.Samples * thousandths;
    };
    const bool crowded = atLeast(share.AtLimit, 10) && atLeast(share.Near, 1) && share.Near > 0;
    const bool unescaped = deep && atLeast(share.AtLimit, 500);
    if (!crowded && !unescaped) return std::nullopt;
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{limit} * 4, kMaxAutoIteration));
}

TPoint FixBandAspect(TPoint anchor, TPoint corner, int width, int height) {
    const double s = corner.Y < anchor.Y ? -1.0 : 1.0;
    const double y = static_cast<double>(height) / width * s * std::abs(corner.X - anchor.X) + anchor.Y;
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    corner.Y = static_cast<int>(std::nearbyint(y));
    return corner;
}

TScreenRect KeepOnScreen(TScreenRect frame, TScreenRect area) {
    const auto fit = [](int& place, int& size, int start, int room) {
        size = std::min(size, room);
        place = std::max(std::min(place, start + room - size), start);
    };
    fit(frame.Place.X, frame.Size.Width, area.Place.X, area.Size.Width);
    fit(frame.Place.Y, frame.Size.Height, area.Place.Y, area.Size.Height);
    return frame;
}

TExplorer::TExplorer(TExplorerView& view, TErrorReporter& reporter)
    : view_(view), reporter_(reporter), vistal_(std::make_unique<TVistal>()),
      lastPosition_(std::make_unique<TPositionMandelbrot>()) {
    checked_.fill(-1);
    // 明暗 is the one parameter menu the start-up sequence leaves alone: it
    // shows the engine's value from the beginning.
    checked_[static_cast<int>(TMenuGroup::LightDark)] = LightDarkItem(vistal_->LightDark);
    vistal_->ErrorReporter = &reporter_;
    vistal_->PumpHook = [this] { PumpEvents(); };
}

void TExplorer::Fail(const char* text) const {
    reporter_.ShowError(text);
    throw EAbort();
}

void TExplorer::Check(TMenuGroup group, int item) {
    checked_[static_cast<int>(group)] = item;
    view_.ShowChecks();
}

// ---- settings ----------------------------------------------------------------

void TExplorer::LoadSettings() {
    const TShellSettings shell = global_.LoadSettings(SettingsFileName());
    toolBar_ = shell.ShowToolBar;
    statusBar_ = shell.ShowStatusBar;
    paletteRedraw_ = shell.RePalette;
    vistal_->Smooth = shell.Smooth;
}

void TExplorer::SaveSettings() const {
    // The bars' menu checks, not what is on screen: closing in full screen,
    // which hides both, keeps the user's choice for the next start.
    global_.SaveSettings(SettingsFileName(), {statusBar_, toolBar_, paletteRedraw_, vistal_->Smooth});
}

// ---- start-up ------------------------------------------------------------------

void TExplorer::StartUp() {
    if (started_) return;
    started_ = true;
    fullScreenEnabled_ = false;
    view_.ShowChecks();
    struct TEnableFullScreen {
        TExplorer& explorer;
        ~TEnableFullScreen() {
            explorer.fullScreenEnabled_ = true;
            explorer.view_.ShowChecks();
        }
    } enableAtEnd{*this};

    // The start-up parameters, each through the command that sets it.
    const TStartupParameters p = StartupParameters();
    SelectRefreshRate(global_.RefreshRate);
    SelectZoomFactor(p.ZoomFactor);
    SelectIteration(p.Iteration);
    SelectDetail(p.Detail);
    // A drawing interrupted by the user (a click on the first picture) must
    // not cut the start-up short: the settings after it still apply.
    try {
        DrawPower(p.Pow, TDrawSource::StartUp);
    } catch (const EAbort&) {
    }
    SelectEscape(p.Escape);
    SelectCorrection(p.Correction);
    SelectDrawCompo(p.DrawCompo);
    SelectPotentialBright(p.PotentialBright);
    SelectPalette(p.Palette);
    SelectRubberBand(global_.RubberBand == 0 ? 0 : 1);
    const int mode = global_.StartDrawMode >= dmSearch && global_.StartDrawMode <= dmSAntiArea
                         ? global_.StartDrawMode
                         : int(dmNormal);
    SelectDrawMode(static_cast<std::uint8_t>(mode));
    SelectRepresent(p.Represent);
    Check(TMenuGroup::PictureSize, PictureSizeItem(p.Width, p.Height));
    SetPictureSize(p.Width, p.Height);
}

// ---- the drawing loop ------------------------------------------------------------

void TExplorer::SetRepaint(int ms) {
    repaintInterval_ = ms;
    view_.SetRepaintInterval(ms);
}

void TExplorer::Draw(TDrawSource source) {
    TVistal& e = *vistal_;
    e.SetDrawing(false);
    SetRepaint(refreshInterval_);
    // The busy marks go up once the drawing first processes events
    // (PumpEvents); a drawing that ends before that was never seen busy.
    busyPending_ = true;
    pumpClock_ = TClock::now();
    const int serial = ++drawSerial_;
    const TClock::time_point started = TClock::now();
    bool complete = false;
    const auto finish = [&] {
        SetRepaint(0);
        progressClock_.reset();
        busyPending_ = false;
        view_.ShowBusy(false); // changes nothing on screen unless the busy marks went up
        view_.Repaint();
        // The time tells about this drawing unless a newer one started inside
        // it and has told about itself.
        if (serial == drawSerial_) {
            view_.ShowDrawingTime(
                complete
                    ? std::optional<double>(std::chrono::duration<double>(TClock::now() - started).count())
                    : std::nullopt);
        }
    };
    try {
        const std::unique_ptr<TPosition> previous = CopyPosition(*lastPosition_);
        BeginDrawing(source != TDrawSource::Back);
        ShowOldPicture(*previous);
        view_.ShowChecks(); // the back button follows the history
        view_.ShowStatus(e.Iteration(), e.Detail(), global_.PaletteName);
        view_.ShowWidth(WidthText(e.Position()));
        // Progress shows once a drawing has run for a while.
        progressClock_ = TClock::now();
        ApplyDrawingOptions();
        view_.RefreshDialogs();
        e.Draw();
        complete = true;
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (!iterationAuto_ || serial != drawSerial_) return;
    const std::optional<int> raised = RaisedLimit(e.LimitShare(), e.Iteration(), e.DeepView());
    if (!raised) {
        // The end of a chain of drawings says where it raised the limit to.
        view_.ShowIterationAuto(true, std::exchange(autoRaised_, 0));
        return;
    }
    autoRaised_ = *raised;
    view_.ShowIterationAuto(true, *raised);
    SelectIteration(*raised);
    view_.ShowChecks();
    Draw(source);
}

void TExplorer::BeginDrawing(bool push) {
    ++drawingsStarted_;
    if (push) PushPosition();
    // A deep view is drawn where the location files put it, so that it comes
    // back from them exactly.
    TVistal& e = *vistal_;
    if (!e.Position().HeldByDoubles()) e.SetPosition(AsWritten(e.Position(), e.Height()));
    const std::uint8_t kind = vistal_->Formula();
    if (kind != fmMandelbrot && kind != fmJulia) Fail("Error in mnuFileDrawClick");
    auto position = CreatePosition(kind);
    position->ReadFrom(*vistal_);
    lastPosition_ = std::move(position);
    if (detailAuto_) vistal_->AutoDetail();
}

void TExplorer::ShowOldPicture(const TPosition& previous) {
    TVistal& e = *vistal_;
    TBitmap& picture = e.DrawBitmap();
    // Only a picture of the same set, exponent and size moves with the view.
    if (picture.Width() != e.Width() || picture.Height() != e.Height()) return;
    if (previous.FormulaKind() != e.Formula() || previous.Pow != e.Pow() || previous.SameAsEngine(e)) return;
    if (e.Formula() == fmJulia && previous.GetJuliaSeed() != e.JuliaSeed()) return;
    // A jump of more than 256 times in or out (a list's view after the home
    // view) would show one old pixel or a dot: the old picture stays as it is.
    const TDeepPosition from = previous.View();
    const double ratio = std::fabs((e.Position().Span / from.Span).Log2());
    if (from.Span.IsZero() || !(ratio <= 8)) return;
    MoveOldPicture(picture, from, e.Position());
}

void TExplorer::ApplyDrawingOptions() {
    vistal_->Half = global_.Half;
    // After the view was recorded: the history keeps the view as it was asked for.
    if (global_.Adjusted) vistal_->AdjustCenter(global_.Adjust());
}

void TExplorer::PumpEvents() {
    const TClock::time_point now = TClock::now();
    if (pumpClock_ && now - *pumpClock_ < kPumpPeriod) return;
    pumpClock_ = now;
    // The busy marks go up where they can first be seen: a title or a button
    // reaches the screen only when events are processed.
    if (busyPending_) {
        busyPending_ = false;
        view_.ShowBusy(true);
    }
    if (progressClock_ && now - *progressClock_ >= kProgressPeriod) {
        view_.ShowProgress(vistal_->Progress(), PhaseOf(*vistal_));
        progressClock_ = TClock::now();
    }
    view_.ProcessEvents();
}

void TExplorer::Abort() {
    vistal_->SetDrawing(false);
}

void TExplorer::ForceDraw() {
    vistal_->ClearResultCache();
    Draw(TDrawSource::Menu);
}

void TExplorer::DrawHome() {
    ResetView();
    Draw(TDrawSource::Menu);
}

void TExplorer::Back() {
    GoBack();
    Draw(TDrawSource::Back);
}

void TExplorer::PushPosition() {
    // A view is only ever the same as one of its own formula: a Mandelbrot
    // view and a Julia view may share centre, exponent and span (the home
    // views of exponents above 2 do), and are still different places.
    const TPosition& last = *lastPosition_;
    if (last.FormulaKind() == vistal_->Formula() && last.SameAsEngine(*vistal_)) return;
    if (history_.HasItems()) {
        const TPosition& top = history_.Peek();
        if (top.FormulaKind() == last.FormulaKind() && last.SameAs(top)) return;
    }
    const std::uint8_t kind = last.FormulaKind();
    if (kind != fmMandelbrot && kind != fmJulia) Fail("Error in Push");
    history_.Push(CopyPosition(last));
}

void TExplorer::GoBack() {
    if (!history_.HasItems()) throw EAbort();
    const std::unique_ptr<TPosition> position = history_.Pop();
    MoveTo(PlaceOf(*position));
}

bool TExplorer::CloseQuery() {
    if (!vistal_->Drawing()) return true;
    if (!view_.ConfirmClose()) return false;
    vistal_->SetDrawing(false);
    return true;
}

void TExplorer::Finish() {
    SetRepaint(0);
    vistal_->SetDrawing(false);
    vistal_->PumpHook = nullptr;
}

int TExplorer::PauseRepaint() {
    const int interval = repaintInterval_;
    SetRepaint(0);
    return interval;
}

void TExplorer::ResumeRepaint(int interval) {
    if (interval > 0) SetRepaint(interval);
}

// ---- menus ------------------------------------------------------------------------

void TExplorer::ChooseMenuItem(TMenuGroup group, int item) {
    switch (group) {
    case TMenuGroup::ZoomFactor:
        SelectZoomFactor(kZoomFactorItems[item].Value);
        break;
    case TMenuGroup::PictureSize: {
        const TPictureSize size = kPictureSizeItems[item].Value;
        CheckPictureSize(size.Width, size.Height);
        Check(group, item);
        SetPictureSize(size.Width, size.Height);
        break;
    }
    case TMenuGroup::Iteration:
        SelectIteration(kIterationItems[item].Value);
        break;
    case TMenuGroup::Detail:
        SelectDetail(kDetailItems[item].Value);
        break;
    case TMenuGroup::Palette:
        SelectPalette(kPaletteItems[item].Value.Palette);
        RedrawOnPaletteChange();
        break;
    case TMenuGroup::Power:
        DrawPower(kPowerItems[item].Value, TDrawSource::Menu);
        break;
    case TMenuGroup::DrawMode:
        SelectDrawMode(kDrawModeItems[item].Value);
        break;
    case TMenuGroup::ExtDrawMode:
        SelectDrawMode(kExtDrawModeItems[item].Value);
        break;
    case TMenuGroup::DrawCompo:
        SelectDrawCompo(kDrawCompoItems[item].Value);
        break;
    case TMenuGroup::PotentialBright:
        SelectPotentialBright(kPotentialBrightItems[item].Value);
        break;
    case TMenuGroup::Correction:
        SelectCorrection(kCorrectionItems[item].Value);
        break;
    case TMenuGroup::LightDark:
        SelectLightDark(kLightDarkItems[item].Value);
        break;
    case TMenuGroup::Represent:
        SelectRepresent(kRepresentItems[item].Value);
        break;
    case TMenuGroup::Escape:
        SelectEscape(kEscapeItems[item].Value);
        break;
    case TMenuGroup::RubberBand:
        SelectRubberBand(item);
        break;
    case TMenuGroup::Refresh:
        Check(group, item);
        SetRefreshInterval(kRefreshItems[item].Value);
        break;
    }
}

void TExplorer::SelectIteration(int n) {
    vistal_->SetIteration(n);
    Check(TMenuGroup::Iteration, IterationItem(n));
}

void TExplorer::SelectDetail(int n) {
    vistal_->SetDetail(n);
    detailAuto_ = false;
    Check(TMenuGroup::Detail, DetailItem(n));
}

void TExplorer::SelectDetailAuto() {
    detailAuto_ = true;
    Check(TMenuGroup::Detail, kDetailAutoItem);
    vistal_->AutoDetail();
}

void TExplorer::SelectPower(int n) {
    vistal_->SetPow(n);
    Check(TMenuGroup::Power, PowerItem(n));
}

void TExplorer::SelectEscape(double x) {
    vistal_->SetEscape(x);
    Check(TMenuGroup::Escape, EscapeItem(x));
}

void TExplorer::SelectCorrection(double x) {
    vistal_->SetCorrection(x);
    Check(TMenuGroup::Correction, CorrectionItem(x));
}

void TExplorer::SelectRepresent(std::uint8_t n) {
    vistal_->Represent = n;
    Check(TMenuGroup::Represent, RepresentItem(n));
}

void TExplorer::SelectLightDark(std::uint8_t n) {
    vistal_->LightDark = n;
    Check(TMenuGroup::LightDark, LightDarkItem(n));
}

void TExplorer::SelectDrawCompo(std::uint8_t n) {
    vistal_->DrawCompo = n;
    Check(TMenuGroup::DrawCompo, DrawCompoItem(n));
}

void TExplorer::SelectPotentialBright(std::uint8_t n) {
    vistal_->PotentialBright = n;
    Check(TMenuGroup::PotentialBright, PotentialBrightItem(n));
}

void TExplorer::SelectDrawMode(std::uint8_t n) {
    vistal_->DrawMode = n;
    if (n <= dmExtNormal) lastBasicMode_ = n;
    const int basic = IndexOf(kDrawModeItems, n);
    const int extended = IndexOf(kExtDrawModeItems, n);
    if (basic >= 0) {
        Check(TMenuGroup::DrawMode, basic);
    } else if (extended >= 0) {
        Check(TMenuGroup::DrawMode, kExtendedModeItem);
        Check(TMenuGroup::ExtDrawMode, extended);
    }
}

void TExplorer::SelectShadeOff(bool b) {
    vistal_->ShadeOff = b;
    view_.ShowChecks();
    view_.Repaint();
}

void TExplorer::SelectZoomFactor(int factor) {
    vistal_->SetZoomFactor(factor);
    Check(TMenuGroup::ZoomFactor, ZoomFactorItem(factor));
}

void TExplorer::SelectZoomUser(int factor) {
    vistal_->SetZoomFactor(factor);
    Check(TMenuGroup::ZoomFactor, UserItemOf(kZoomFactorItems));
}

void TExplorer::SelectRefreshUser(int tenths) {
    SetRefreshInterval(static_cast<int>(std::min<long long>(static_cast<long long>(tenths) * 100, INT_MAX)));
    Check(TMenuGroup::Refresh, UserItemOf(kRefreshItems));
}

void TExplorer::SelectSizeUser(int w, int h) {
    CheckPictureSize(w, h);
    Check(TMenuGroup::PictureSize, UserItemOf(kPictureSizeItems));
    SetPictureSize(w, h);
}

void TExplorer::SelectRefreshRate(int rate) {
    Check(TMenuGroup::Refresh, RefreshRateItem(rate));
    const long long ms = static_cast<long long>(rate) * 100;
    SetRefreshInterval(static_cast<int>(std::min<long long>(ms, INT_MAX)));
}

void TExplorer::SetRefreshInterval(int ms) {
    refreshInterval_ = ms < 0 ? 0 : ms;
    if (vistal_->Drawing()) SetRepaint(refreshInterval_);
}

void TExplorer::SelectRubberBand(int item) {
    Check(TMenuGroup::RubberBand, item);
}

void TExplorer::ExtendedMenuOpened() {
    if (Checked(TMenuGroup::DrawMode) != kExtendedModeItem) Check(TMenuGroup::ExtDrawMode, -1);
}

void TExplorer::ToggleIterationAuto() {
    iterationAuto_ = !iterationAuto_;
    view_.ShowIterationAuto(iterationAuto_, 0);
}

void TExplorer::ToggleShadeOff() {
    SelectShadeOff(!vistal_->ShadeOff);
}

void TExplorer::ToggleSmooth() {
    vistal_->Smooth = !vistal_->Smooth;
    view_.ShowChecks();
    RedrawOnPaletteChange();
}

void TExplorer::TogglePaletteRedraw() {
    paletteRedraw_ = !paletteRedraw_;
    view_.ShowChecks();
}

// ---- palettes -------------------------------------------------------------------------

void TExplorer::UsePalette(int item, const std::string& name, const std::function<void()>& install) {
    install();
    global_.PaletteName = name;
    Check(TMenuGroup::Palette, item);
}

void TExplorer::SelectPalette(TBuiltinPalette palette) {
    for (int i = 0; i < static_cast<int>(std::size(kPaletteItems)); ++i) {
        const TPaletteItem& p = kPaletteItems[i].Value;
        if (p.Palette != palette) continue;
        UsePalette(i, p.PaletteName, [this, palette] {
            switch (palette) {
            case TBuiltinPalette::Standard:
                vistal_->SetPaletteStandard();
                break;
            case TBuiltinPalette::Mono:
                vistal_->SetPaletteMono();
                break;
            case TBuiltinPalette::Blue:
                vistal_->SetPaletteBlue();
                break;
            }
        });
    }
}

void TExplorer::ApplyVcpFile(const std::string& path) {
    // The file dialog proposes the file even when it did not load.
    vcpFileName_ = path;
    UsePalette(kVcpPaletteItem, path, [this, &path] { vistal_->LoadVcp(path); });
}

void TExplorer::ChooseVcpFile(const std::string& path) {
    ApplyVcpFile(path);
    RedrawOnPaletteChange();
}

void TExplorer::RedrawOnPaletteChange() {
    if (paletteRedraw_) Draw(TDrawSource::Menu);
}

void TExplorer::SetColor0(bool useColor0, TColor color0) {
    vistal_->UseColor0 = useColor0;
    vistal_->SetColor0(color0);
    // The new colour 0 reaches the palette at the next drawing.
    RedrawOnPaletteChange();
}

void TExplorer::SetBrightnessRaite(double ratio) {
    vistal_->SetBrightnessRaite(ratio);
}

// ---- the formula and the exponent -------------------------------------------------------

void TExplorer::StopAndChangeFormula() {
    vistal_->SetDrawing(false);
    vistal_->ChangeFormula();
    view_.ShowChecks(); // the formula's menu items
}

void TExplorer::ChangeFormula() {
    StopAndChangeFormula();
    Draw(TDrawSource::Menu);
}

void TExplorer::DrawPower(std::optional<int> n, TDrawSource source) {
    if (n) SelectPower(*n);
    ResetView();
    Draw(source);
}

void TExplorer::JuliaConstantChosen(bool accepted) {
    ResetView();
    if (accepted) Draw(TDrawSource::Dialog);
}

// ---- picture size and full screen --------------------------------------------------------

void TExplorer::CheckPictureSize(int w, int h) const {
    TSizeRefusal refusal{{w, h}};
    if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide) {
        view_.RefusePictureSize(refusal);
        throw EAbort();
    }
    const TMemoryLimit available = AvailableMemory();
    const std::uint8_t mode = vistal_->DrawMode;
    if (CheckPictureMemory(w, h, mode, kPicturesOnScreen, available).empty()) return;
    refusal.Memory = true;
    refusal.Need = PictureMemoryNeeded(w, h, mode, kPicturesOnScreen) + kDrawingWorkingMemory;
    refusal.Available = available.Bytes;
    view_.RefusePictureSize(refusal);
    throw EAbort();
}

void TExplorer::SetPictureSize(int w, int h) {
    if (pictureSize_ == TPictureSize{w, h}) return;
    TVistal& e = *vistal_;
    e.SetDrawing(false);
    view_.ResizePicture(w, h);
    pictureSize_ = {w, h};
    e.SetWidth(w);
    e.SetHeight(h);
    Draw(TDrawSource::Resize);
}

void TExplorer::ToggleToolBar() {
    toolBar_ = !toolBar_;
    view_.ShowChecks();
    view_.ShowBars();
}

void TExplorer::ToggleStatusBar() {
    statusBar_ = !statusBar_;
    view_.ShowChecks();
    view_.ShowBars();
}

void TExplorer::ToggleFullScreen() {
    TVistal& e = *vistal_;
    if (!fullScreen_) {
        const TPictureSize screen = view_.ScreenSize();
        CheckPictureSize(screen.Width, screen.Height);
        fullScreen_ = true;
        view_.ShowChecks();
        windowedSize_ = {e.Width(), e.Height()};
        windowedPlace_ = view_.WindowPlace();
        view_.ShowFullScreen();
        SetPictureSize(screen.Width, screen.Height);
    } else {
        fullScreen_ = false;
        view_.ShowChecks();
        // As SetPictureSize, with the window back at its place before the
        // drawing starts.
        const bool resize = pictureSize_ != windowedSize_;
        if (resize) e.SetDrawing(false);
        view_.ShowWindowed(windowedSize_.Width, windowedSize_.Height, windowedPlace_);
        pictureSize_ = windowedSize_;
        if (resize) {
            e.SetWidth(windowedSize_.Width);
            e.SetHeight(windowedSize_.Height);
            Draw(TDrawSource::Resize);
        }
    }
}

void TExplorer::EscapeReleased() {
    if (fullScreen_) ToggleFullScreen();
}

// ---- where the view looks ---------------------------------------------------------------

void TExplorer::MoveTo(const TViewPlace& place) {
    TLocationTarget::MoveTo(place);
    Check(TMenuGroup::Power, PowerItem(place.Pow));
}

void TExplorer::MoveToTyped(TViewPlace place) {
    MoveTo(place);
    if (vistal_->DeepView()) return;
    place.Position = TDeepPosition(place.Position.Center(), place.Position.Span.ToDouble());
    MoveTo(place);
}

void TExplorer::ResetView() {
    vistal_->ResetView();
}

void TExplorer::ZoomIn() {
    vistal_->ZoomIn();
    Draw(TDrawSource::Menu);
}

void TExplorer::ZoomOut() {
    vistal_->ZoomOut();
    Draw(TDrawSource::Menu);
}

void TExplorer::JCRandom() {
    random_.seed(static_cast<std::mt19937::result_type>(TClock::now().time_since_epoch().count()));
    if (vistal_->Formula() != fmJulia) return;
    std::uniform_int_distribution<int> draw(0, 19999);
    const int r1 = draw(random_);
    const int r2 = draw(random_);
    vistal_->SetJuliaSeed({(r1 - 10000) / 10000.0, (r2 - 10000) / 10000.0});
    vistal_->ResetView();
    Draw(TDrawSource::Menu);
}

// ---- mouse ----------------------------------------------------------------------------------

void TExplorer::MouseDown(TMouseButton button, int x, int y) {
    if (dragging_) return;
    bandAnchor_ = {x, y};
    bandDrawnCorner_ = {x, y};
    if (button == TMouseButton::Left) {
        dragging_ = true;
        bandShown_ = false;
        // A drag released before any accepted move has no band: its corner is
        // the anchor, which cancels the zoom.
        bandCorner_ = bandAnchor_;
    }
}

void TExplorer::MouseMove(TShiftState shift, int x, int y) {
    if (!dragging_) return;
    if (shift != ssLeft && shift != ssDouble) return;
    if (x < 0 || x > vistal_->Width() || y < 0 || y > vistal_->Height()) return;
    bandCorner_ = FixBandAspect(bandAnchor_, {x, y}, vistal_->Width(), vistal_->Height());
    bandDrawnCorner_ = bandCorner_;
    bandShown_ = true;
    view_.Repaint();
}

void TExplorer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool draw = Release(button, shift, x, y);
    view_.Repaint(); // the band goes
    if (draw) Draw(TDrawSource::Mouse);
}

bool TExplorer::Release(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    const bool drag = std::abs(bandAnchor_.X - x) > 1 || std::abs(bandAnchor_.Y - y) > 1;
    TVistal& e = *vistal_;
    if (!drag) {
        switch (button) {
        case TMouseButton::Left:
            if (shift & ssCtrl) {
                // Recentre without zooming; the factor is back whatever happens.
                const int factor = e.ZoomFactor();
                e.SetZoomFactor(1);
                struct TRestore {
                    TVistal& e;
                    int factor;
                    ~TRestore() { e.SetZoomFactor(factor); }
                } restore{e, factor};
                e.ZoomInAt(x, y);
            } else {
                e.ZoomInAt(x, y);
            }
            break;
        case TMouseButton::Right:
            e.ZoomOutAt(x, y);
            break;
        case TMouseButton::Middle:
            break;
        }
        return true;
    }
    if (button != TMouseButton::Left) {
        // Another button released during a left drag: the drag goes on.
        dragging_ = wasDragging;
        return false;
    }
    if (std::abs(bandAnchor_.Y - bandCorner_.Y) < 2) return false;
    if (x < 0 || x > e.Width() || y < 0 || y > e.Height()) return false;
    if (Checked(TMenuGroup::RubberBand) == 0)
        e.ZoomTwoPoint(bandAnchor_.X, bandAnchor_.Y, bandCorner_.X, bandCorner_.Y);
    else
        e.ZoomCenterAndPoint(bandAnchor_.X, bandAnchor_.Y, bandCorner_.X, bandCorner_.Y);
    return true;
}

std::optional<TBand> TExplorer::Band() const {
    if (!dragging_ || !bandShown_) return std::nullopt;
    const TPoint c = bandDrawnCorner_;
    if (Checked(TMenuGroup::RubberBand) == 0) return TBand{bandAnchor_, c};
    return TBand{{2 * bandAnchor_.X - c.X, 2 * bandAnchor_.Y - c.Y}, c};
}

void TExplorer::Wheel(int x, int y, int delta) {
    wheelDelta_ += delta;
    bool changed = false;
    while (wheelDelta_ >= 120 || wheelDelta_ <= -120) {
        const bool in = wheelDelta_ > 0;
        wheelDelta_ += in ? -120 : 120;
        changed = ZoomAbout(x, y, in) || changed;
    }
    if (!changed) return;
    // A burst of steps makes one drawing: the running one stops now, and the
    // new one starts once the pending events are through.
    vistal_->SetDrawing(false);
    if (wheelDrawPending_) return;
    wheelDrawPending_ = true;
    view_.Post([this] {
        wheelDrawPending_ = false;
        Draw(TDrawSource::Mouse);
    });
}

bool TExplorer::ZoomAbout(int x, int y, bool in) {
    TVistal& e = *vistal_;
    if (e.ZoomFactor() == 1) return false;
    e.ZoomAbout(x, y, in);
    return true;
}

// ---- locations ---------------------------------------------------------------------------------

void TExplorer::ApplyRecommendation(const TRecommendation& record) {
    vistal::ApplyRecommendation(record, *this);
    // Shade-off and colour 0 are written straight into the engine: the check
    // and the picture follow.
    view_.ShowChecks();
}

void TExplorer::OpenLocationFile(const std::string& fileName, TDrawSource source) {
    const TLocationResult result = vistal::OpenLocationFile(fileName, *this);
    view_.ShowChecks();
    if (!result.Message.empty()) reporter_.ShowError(result.Message);
    Draw(source);
}

} // namespace vistal::ui

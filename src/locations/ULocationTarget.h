// SPDX-License-Identifier: GPL-3.0-or-later
// Where a location read from a file is applied: the main window of the
// explorer, or an engine on its own (the renderer, the tests). The window
// implements the operations so that its menu checks follow every parameter;
// TEngineTarget sets the engine directly.
#pragma once

#include "engine/ViewPlace.h"
#include "engine/vistal_class.h"
#include "locations/UGlobal.h"

#include <cstdint>
#include <string>

namespace vistal {

class TLocationTarget {
public:
    virtual ~TLocationTarget() = default;

    virtual TVistal& Engine() = 0;
    virtual TGlobal& Global() = 0;

    // Moves the view to a place: a place of the other formula switches the
    // formula first (StopAndChangeFormula), then the centre, height, exponent
    // and Julia constant are set. The exponent's menu is the caller's
    // (SelectPower), as the location files apply it in their own order.
    virtual void MoveTo(const TViewPlace& place);

    virtual void SelectIteration(int n) = 0;
    // Also turns automatic detail off.
    virtual void SelectDetail(int n) = 0;
    virtual void SelectPower(int n) = 0;
    virtual void SelectEscape(double x) = 0;
    virtual void SelectCorrection(double x) = 0;
    virtual void SelectRepresent(std::uint8_t n) = 0;
    virtual void SelectLightDark(std::uint8_t n) = 0;
    virtual void SelectDrawCompo(std::uint8_t n) = 0;
    virtual void SelectPotentialBright(std::uint8_t n) = 0;
    // Also remembers a basic method (0..5) as LastBasicMode.
    virtual void SelectDrawMode(std::uint8_t n) = 0;
    virtual void SelectShadeOff(bool b) = 0;
    // Stops a running drawing, then switches Mandelbrot <-> Julia (the view
    // starts at the home view of the new formula).
    virtual void StopAndChangeFormula() = 0;
    // Loads the palette file into the engine and makes it the current palette.
    // A file that does not load is reported and ends in a silent abort.
    virtual void ApplyVcpFile(const std::string& path) = 0;
    // The drawing method last chosen among the basic ones and extended normal.
    virtual std::uint8_t LastBasicMode() const = 0;
};

// A target without a window: every operation sets the engine's parameter.
class TEngineTarget : public TLocationTarget {
public:
    TEngineTarget(TVistal& engine, TGlobal& global) : engine_(engine), global_(global) {}

    TVistal& Engine() override { return engine_; }
    TGlobal& Global() override { return global_; }

    void SelectIteration(int n) override { engine_.SetIteration(n); }
    void SelectDetail(int n) override;
    void SelectPower(int n) override { engine_.SetPow(n); }
    void SelectEscape(double x) override { engine_.SetEscape(x); }
    void SelectCorrection(double x) override { engine_.SetCorrection(x); }
    void SelectRepresent(std::uint8_t n) override { engine_.Represent = n; }
    void SelectLightDark(std::uint8_t n) override { engine_.LightDark = n; }
    void SelectDrawCompo(std::uint8_t n) override { engine_.DrawCompo = n; }
    void SelectPotentialBright(std::uint8_t n) override { engine_.PotentialBright = n; }
    void SelectDrawMode(std::uint8_t n) override;
    void SelectShadeOff(bool b) override { engine_.ShadeOff = b; }
    void StopAndChangeFormula() override;
    void ApplyVcpFile(const std::string& path) override;
    std::uint8_t LastBasicMode() const override { return lastBasicMode_; }

    // Whether detail is recomputed before a drawing; SelectDetail clears it.
    bool DetailAuto = false;

private:
    TVistal& engine_;
    TGlobal& global_;
    std::uint8_t lastBasicMode_ = dmNormal;
};

// The drawing method a location carries, the same for records and scenic
// spots: an extended method with its values, or none (0), which returns to the
// basic method last chosen. Location is any type with the fields DrawMode,
// DrawCompo, Represent, Escape, LightDark, Correction and PotentialBright.
template <class Location> void ApplyDrawingMethod(TLocationTarget& target, const Location& l) {
    if (l.DrawMode != dmNormal) {
        target.SelectDrawMode(l.DrawMode);
        target.SelectDrawCompo(l.DrawCompo);
        target.SelectRepresent(l.Represent);
        target.SelectEscape(l.Escape);
        target.SelectLightDark(l.LightDark);
        target.SelectCorrection(l.Correction);
        target.SelectPotentialBright(l.PotentialBright);
    } else {
        target.Engine().DrawMode = target.LastBasicMode();
        target.SelectDrawMode(target.LastBasicMode());
    }
}

// The palette file a location names: VcpFolder/name.vcp, where VcpFolder is
// the settings' VcpFiles (set only while VcpAlways is on). Empty when there is
// no folder or no name: a bare name is never looked up elsewhere.
std::string VcpPathFor(const TGlobal& global, const std::string& name);

// True for an existing regular file (or a link to one).
bool IsExistingFile(const std::string& fileName);

// The name of a file without its folder and extension ("/p/Sunset.vcp" gives
// "Sunset"); a name without either is returned as it is ("標準").
std::string BaseNameWithoutExtension(const std::string& fileName);

} // namespace vistal

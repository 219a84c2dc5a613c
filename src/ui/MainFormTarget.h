// The main window as the receiver of a location read from a file: every
// parameter that has a menu is set through the window's own Select
// operations, so the menu checks follow as if the user had chosen them.
#pragma once

#include "locations/ULocationTarget.h"
#include "ui/MainForm.h"

namespace vistal::ui {

class TMainFormTarget final : public TLocationTarget {
public:
    explicit TMainFormTarget(TfrmMain& window) : window_(window) {}

    TVistal& Engine() override { return window_.Vistal(); }
    TGlobal& Global() override { return window_.Global(); }

    void SelectIteration(int n) override { window_.SelectIteration(n); }
    void SelectDetail(int n) override { window_.SelectDetail(n); }
    void SelectPower(int n) override { window_.SelectPower(n); }
    void SelectEscape(double x) override { window_.SelectEscape(x); }
    void SelectCorrection(double x) override { window_.SelectCorrection(x); }
    void SelectRepresent(std::uint8_t n) override { window_.SelectRepresent(n); }
    void SelectLightDark(std::uint8_t n) override { window_.SelectLightDark(n); }
    void SelectDrawCompo(std::uint8_t n) override { window_.SelectDrawCompo(n); }
    void SelectPotentialBright(std::uint8_t n) override { window_.SelectPotentialBright(n); }
    void SelectDrawMode(std::uint8_t n) override { window_.SelectDrawMode(n); }
    void SelectShadeOff(bool b) override { window_.SelectShadeOff(b); }
    void StopAndChangeFormula() override { window_.StopAndChangeFormula(); }
    void ApplyVcpFile(const std::string& path) override {
        window_.ApplyVcpFile(QString::fromStdString(path));
    }
    std::uint8_t LastBasicMode() const override { return window_.LastBasicMode(); }

private:
    TfrmMain& window_;
};

} // namespace vistal::ui

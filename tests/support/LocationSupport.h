// SPDX-License-Identifier: GPL-3.0-or-later
// A location target that notes every operation before carrying it out, so
// that tests can check the order in which a location file is applied.
#pragma once

#include "locations/ULocationTarget.h"

#include <string>

namespace vistal::test {

class TLoggingTarget : public TEngineTarget {
public:
    using TEngineTarget::TEngineTarget;
    // The operations so far, separated by blanks: "F" formula, "I300", "D4",
    // "P2", "E8" (escape, truncated), "C" correction, "R1", "L1", "M1"
    // (mixing), "B2", "DM6", "V" palette file.
    std::string Log;

    void SelectIteration(int n) override {
        Note("I", n);
        TEngineTarget::SelectIteration(n);
    }
    void SelectDetail(int n) override {
        Note("D", n);
        TEngineTarget::SelectDetail(n);
    }
    void SelectPower(int n) override {
        Note("P", n);
        TEngineTarget::SelectPower(n);
    }
    void SelectEscape(double x) override {
        Note("E", static_cast<long long>(x));
        TEngineTarget::SelectEscape(x);
    }
    void SelectCorrection(double x) override {
        Note("C");
        TEngineTarget::SelectCorrection(x);
    }
    void SelectRepresent(std::uint8_t n) override {
        Note("R", n);
        TEngineTarget::SelectRepresent(n);
    }
    void SelectLightDark(std::uint8_t n) override {
        Note("L", n);
        TEngineTarget::SelectLightDark(n);
    }
    void SelectDrawCompo(std::uint8_t n) override {
        Note("M", n);
        TEngineTarget::SelectDrawCompo(n);
    }
    void SelectPotentialBright(std::uint8_t n) override {
        Note("B", n);
        TEngineTarget::SelectPotentialBright(n);
    }
    void SelectDrawMode(std::uint8_t n) override {
        Note("DM", n);
        TEngineTarget::SelectDrawMode(n);
    }
    void StopAndChangeFormula() override {
        Note("F");
        TEngineTarget::StopAndChangeFormula();
    }
    void ApplyVcpFile(const std::string& path) override {
        Note("V");
        TEngineTarget::ApplyVcpFile(path);
    }

private:
    void Note(const char* name) {
        if (!Log.empty()) Log += ' ';
        Log += name;
    }
    void Note(const char* name, long long value) {
        Note(name);
        Log += std::to_string(value);
    }
};

} // namespace vistal::test

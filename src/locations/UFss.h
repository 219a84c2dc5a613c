// SPDX-License-Identifier: GPL-3.0-or-later
// Scenic-spot files (FSS): one view in an INI file. [Info] names the program
// that wrote it, [Data] holds the part every program understands (centre,
// span, formula, iteration limit, escape radius, Julia constant), and the
// program's own section the rest. The span in the file is half the engine's
// ImSpan: the distance from the centre to the top edge.
#pragma once

#include "base/DeepPosition.h"
#include "base/UType.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vistal {

class TIniFile;
class TVistal;
class TLocationTarget;

// A required item is empty.
class ERequiredError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Mandelbrot" for 1, "Julia" for 2, "Mandelbrot" for anything else.
std::string FormulaToText(std::uint8_t formula);
// Empty gives 1; "Mandelbrot" 1 and "Julia" 2 in any letter case; any other
// text raises EConvertError "[text]は指定できません。".
std::uint8_t TextToFormula(const std::string& text);

// The common part, readable whatever program wrote the file.
class TFss {
public:
    TFss() = default;
    virtual ~TFss() = default;

    std::string Format;
    std::string AppName;
    std::string AppVersion;
    std::string AppSection;
    double CenterRe = 0.0;
    double CenterIm = 0.0;
    double ImSpan = 0.0; // as in the file: half the engine's span
    // A view that doubles do not hold in full, its span the engine's; the
    // doubles above are then its nearest. Written with the digits a picture
    // of DeepHeight pixels needs.
    std::optional<TDeepPosition> Deep;
    int DeepHeight = 0;
    std::uint8_t Formula = fmMandelbrot;
    std::int32_t Iteration = -1; // -1: not given
    double Escape = 2.0;
    double JuliaSeedRe = 0.0;
    double JuliaSeedIm = 0.0;
    // The language of ErrorMessage.
    TLanguage Language = TLanguage::Japanese;
    // The report of the last failed read or write: what went wrong, then
    // "Section=[..] Item=[..]" naming the item being processed. The program's
    // own texts end a sentence and are followed directly by the item, any
    // other text by "; " (or "。" when it ends in Japanese).
    std::string ErrorMessage;
    // The line of that item in the file read, counted from 1; 0 when the
    // file does not hold it (or was being written).
    int ErrorLine = 0;
    // Why the last read could not read the file at all, in the reader's own
    // words ("Cannot read FILE: reason"); empty when the file was read.
    const std::string& FileError() const { return fileError_; }

    // Fill the fields from the file / write them into it. On failure
    // ErrorMessage is set and the exception passes on to the caller.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName);

    void ReadCommon(const TIniFile& ini);
    void WriteCommon(TIniFile& ini);

protected:
    // Reads or writes with the section and key remembered for the report.
    std::string Read(const TIniFile& ini, const char* section, const char* key);
    void Write(TIniFile& ini, const char* section, const char* key, const std::string& value);
    // Runs a read (or write) of the file and builds ErrorMessage when it fails.
    template <class F> void Guarded(bool reading, F&& body);
    // Runs the reads of the items and sets ErrorLine when one fails.
    template <class F> void ReadItems(const TIniFile& ini, F&& read);

    std::string section_;
    std::string key_;
    std::string fileError_; // why the file could not be read at all
};

// The file as this program writes it, with its own section "Vistal".
class TFssVistal : public TFss {
public:
    TFssVistal();

    std::int32_t Detail = -1; // -1: not given
    std::int32_t Pow = -1;    // -1: not given
    std::string Vcp;          // palette file name without folder and extension
    std::uint8_t DrawMode = dmNormal;
    std::uint8_t DrawCompo = 0;
    std::uint8_t Represent = 0;
    std::uint8_t LightDark = 0;
    std::uint8_t PotentialBright = 0;
    double Correction = 0.0;
    std::int32_t Color0 = 0;
    bool UseColor0 = false;
    bool ShadeOff = false;
    double BrightnessRaite = 0.0;
    bool Smooth = false; // Smooth=1: smooth colouring; written only when on

    void LoadFromFile(const std::string& fileName) override;
    void SaveToFile(const std::string& fileName) override;

    // Reads the section only when the file names this program ("びすたる",
    // section "Vistal"); otherwise the defaults stay.
    void ReadAppSection(const TIniFile& ini);
    void WriteAppSection(TIniFile& ini);
};

// The engine's view as a file: the span halved, the palette name without
// folder and extension.
TFssVistal FssFromEngine(const TVistal& engine, const std::string& paletteName);

// Writes the engine's view to a file. Returns the message for the user (in the
// language given), or an empty text when the file was written.
std::string SaveLocationFile(const std::string& fileName, const TVistal& engine,
                             const std::string& paletteName, TLanguage language = TLanguage::Japanese);

// Applies a file's view through the target's operations: formula, centre and
// span (doubled), iteration limit, Julia constant, detail and exponent, the
// palette file when it exists, the drawing method with its extended settings,
// then colour 0, shade-off and the brightness ratio. Does not draw.
void ApplyFss(const TFssVistal& fss, TLocationTarget& target);

// The outcome of opening a location file.
struct TLocationResult {
    bool Ok = true;
    // What to show the user; empty when there is nothing to show (success, or
    // an error that was reported already, such as a palette file that did not load).
    std::string Message;
    // The line of the file the message is about, counted from 1; 0 for none.
    int Line = 0;
};

// Reads a file and applies it. Steps done before a failure stay done; the
// caller shows Message and redraws in every case. The message is in the
// language of the target's engine's reporter.
TLocationResult OpenLocationFile(const std::string& fileName, TLocationTarget& target);

} // namespace vistal

// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/UFss.h"

#include "base/IniFile.h"
#include "base/UFormat.h"
#include "engine/vistal_class.h"
#include "locations/Messages.h"
#include "locations/ULocationTarget.h"
#include "locations/ViewText.h"

#include <cmath>
#include <limits>
#include <new>
#include <optional>

namespace vistal {

namespace {

const char* const kAppName = "びすたる";
const char* const kAppSection = "Vistal";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// What joins a report's text to the item named after it: nothing after the
// program's own texts, which end a sentence ("形式不正です。", "Invalid
// value."); after any other (the system's reason, a limit) "; ", or "。" when
// it ends in Japanese. The English report puts a blank before the item itself.
std::string SeparatorAfter(std::string_view text, TLanguage language) {
    if (EndsWith(text, "。") || EndsWith(text, ".")) return {};
    if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0x80) return "。";
    return language == TLanguage::English ? ";" : "; ";
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

// A value the file may not hold; the report words it in its own language.
class ENotAllowed : public EConvertError {
public:
    explicit ENotAllowed(std::string value)
        : EConvertError(Compose(msg::kFssNotAllowed, TLanguage::Japanese, {value})), Value(std::move(value)) {
    }
    std::string Value;
};

[[noreturn]] void NotAllowed(const std::string& text) {
    throw ENotAllowed(text);
}

double ToReal(const std::string& text) {
    const std::optional<double> v = ParseReal(text);
    if (!v) throw EConvertError("'" + text + "' is not a valid floating point value");
    return *v;
}

std::int32_t ToInteger(const std::string& text) {
    const std::optional<long long> v = ParseInteger(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<std::int32_t>(*v);
}

double RequiredReal(const std::string& text) {
    if (text.empty()) throw ERequiredError(msg::kFssRequired.Japanese);
    return ToReal(text);
}

// Empty gives -1 (not given). The engine needs at least `least`; a smaller
// value other than -1 is refused rather than applied.
std::int32_t OptionalCount(const std::string& text, std::int32_t least) {
    if (text.empty()) return -1;
    const std::int32_t v = ToInteger(text);
    if (v != -1 && v < least) NotAllowed(text);
    return v;
}

// A decimal integer, or hexadecimal after 0x or 0X; anything else gives 0.
std::int32_t LenientInteger(const std::string& text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (text.size() > 10) return 0;
        std::uint32_t v = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return 0;
            v = v * 16 + static_cast<std::uint32_t>(digit);
        }
        return static_cast<std::int32_t>(v);
    }
    const std::optional<long long> v = ParseInteger(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(*v);
}

// Empty leaves 0; otherwise an integer, 1 giving 1 and any other number 0.
std::uint8_t Flag(const std::string& text) {
    return !text.empty() && ToInteger(text) == 1 ? 1 : 0;
}

std::string Decimal(long long v) {
    return std::to_string(v);
}

} // namespace

std::string FormulaToText(std::uint8_t formula) {
    return formula == fmJulia ? "Julia" : "Mandelbrot";
}

std::uint8_t TextToFormula(const std::string& text) {
    if (text.empty() || SameText(text, "Mandelbrot")) return fmMandelbrot;
    if (SameText(text, "Julia")) return fmJulia;
    NotAllowed(text);
}

// ---- TFss ----------------------------------------------------------------------

std::string TFss::Read(const TIniFile& ini, const char* section, const char* key) {
    section_ = section;
    key_ = key;
    return ini.ReadString(section, key);
}

void TFss::Write(TIniFile& ini, const char* section, const char* key, const std::string& value) {
    section_ = section;
    key_ = key;
    ini.WriteString(section, key, value);
}

template <class F> void TFss::Guarded(bool reading, F&& body) {
    // The first item is where a file that cannot be opened at all fails.
    section_ = "Info";
    key_ = "Format";
    ErrorLine = 0;
    fileError_.clear();
    try {
        body();
    } catch (const std::exception& ex) {
        std::string kind;
        if (reading && dynamic_cast<const EConvertError*>(&ex))
            kind = msg::kFssInvalid.In(Language);
        else if (reading && dynamic_cast<const ERequiredError*>(&ex))
            kind = msg::kFssRequired.In(Language);
        else if (const auto* notAllowed = dynamic_cast<const ENotAllowed*>(&ex))
            kind = Compose(msg::kFssNotAllowed, Language, {notAllowed->Value});
        else if (dynamic_cast<const std::bad_alloc*>(&ex))
            kind = msg::kFssOutOfMemory.In(Language);
        else
            kind = ex.what();
        if (reading && dynamic_cast<const EIniFileError*>(&ex)) fileError_ = ex.what();
        ErrorMessage =
            Compose(msg::kFssItem, Language, {kind + SeparatorAfter(kind, Language), section_, key_});
        throw;
    }
}

template <class F> void TFss::ReadItems(const TIniFile& ini, F&& read) {
    try {
        read();
    } catch (...) {
        try {
            ErrorLine = ini.LineOf(section_, key_);
        } catch (const std::exception&) {
            // No line, then: the report names the item all the same.
        }
        throw;
    }
}

void TFss::LoadFromFile(const std::string& fileName) {
    Guarded(true, [&] {
        const TIniFile ini(fileName);
        ReadItems(ini, [&] { ReadCommon(ini); });
    });
}

void TFss::SaveToFile(const std::string& fileName) {
    Guarded(false, [&] {
        TIniFile ini(fileName);
        WriteCommon(ini);
        // The file is replaced as a whole at the end; a file that cannot be
        // written is reported at its first item.
        section_ = "Info";
        key_ = "Format";
        ini.UpdateFile(Language);
    });
}

void TFss::ReadCommon(const TIniFile& ini) {
    const std::string format = Read(ini, "Info", "Format");
    if (format != "1") NotAllowed(format);
    Format = format;
    AppName = Read(ini, "Info", "AppName");
    AppVersion = Read(ini, "Info", "AppVersion");
    const std::string re = Read(ini, "Data", "CenterRe");
    CenterRe = RequiredReal(re);
    const std::string im = Read(ini, "Data", "CenterIm");
    CenterIm = RequiredReal(im);
    const std::string span = Read(ini, "Data", "ImSpan");
    ImSpan = RequiredReal(span);
    // The file holds half the span; a value whose double is infinite would
    // give the engine a view that can be neither drawn nor stored again.
    if (!std::isfinite(ImSpan * 2)) NotAllowed(span);
    Deep.reset();
    if (NeedsDeepReading(re, im, span)) {
        Deep = ReadDeepView(re, im, span, 2);
        if (Deep && Deep->Span.IsZero()) NotAllowed(span);
    }
    Formula = TextToFormula(Read(ini, "Data", "Formula"));
    Iteration = OptionalCount(Read(ini, "Data", "Iteration"), 1);
    Escape = ToReal(Read(ini, "Data", "Escape"));
    if (Formula == fmJulia) {
        JuliaSeedRe = RequiredReal(Read(ini, "Data", "JuliaSeedRe"));
        JuliaSeedIm = RequiredReal(Read(ini, "Data", "JuliaSeedIm"));
    }
}

void TFss::WriteCommon(TIniFile& ini) {
    section_ = "Info";
    key_ = "Format";
    if (Format != "1") NotAllowed(Format);
    Write(ini, "Info", "Format", Format);
    Write(ini, "Info", "AppName", AppName);
    Write(ini, "Info", "AppVersion", AppVersion);
    const TViewTexts view = Deep ? ViewTexts(*Deep, DeepHeight, true, 0.5)
                                 : TViewTexts{FormatReal(CenterRe), FormatReal(CenterIm), FormatReal(ImSpan)};
    Write(ini, "Data", "CenterRe", view.Re);
    Write(ini, "Data", "CenterIm", view.Im);
    Write(ini, "Data", "ImSpan", view.Span);
    Write(ini, "Data", "Formula", FormulaToText(Formula));
    Write(ini, "Data", "Iteration", Decimal(Iteration));
    Write(ini, "Data", "Escape", FormatReal(Escape));
    if (Formula == fmJulia) {
        Write(ini, "Data", "JuliaSeedRe", FormatReal(JuliaSeedRe));
        Write(ini, "Data", "JuliaSeedIm", FormatReal(JuliaSeedIm));
    }
}

// ---- TFssVistal -----------------------------------------------------------------

TFssVistal::TFssVistal() {
    // Assigned as whole strings (GCC 12 warns wrongly on assigning literals here).
    Format = std::string("1");
    AppName = std::string(kAppName);
    AppVersion = std::string("1.9.0");
    AppSection = std::string(kAppSection);
}

void TFssVistal::LoadFromFile(const std::string& fileName) {
    Guarded(true, [&] {
        const TIniFile ini(fileName);
        ReadItems(ini, [&] {
            ReadCommon(ini);
            ReadAppSection(ini);
        });
    });
}

void TFssVistal::SaveToFile(const std::string& fileName) {
    Guarded(false, [&] {
        TIniFile ini(fileName);
        WriteCommon(ini);
        WriteAppSection(ini);
        section_ = "Info";
        key_ = "Format";
        ini.UpdateFile(Language);
    });
}

void TFssVistal::ReadAppSection(const TIniFile& ini) {
    AppSection = Read(ini, "Info", "AppSection");
    if (AppName != kAppName || AppSection != kAppSection) return;
    const char* const s = kAppSection;
    Detail = OptionalCount(Read(ini, s, "Detail"), 1);
    Pow = OptionalCount(Read(ini, s, "Pow"), 2);
    Vcp = Read(ini, s, "Vcp");
    DrawCompo = Flag(Read(ini, s, "DrawCompo"));
    if (const std::string t = Read(ini, s, "DrawMode"); !t.empty()) DrawMode = DrawModeFromCode(ToInteger(t));
    Represent = Flag(Read(ini, s, "Represent"));
    LightDark = Flag(Read(ini, s, "LightDark"));
    if (const std::string t = Read(ini, s, "PotentialBright"); !t.empty()) {
        const std::int32_t v = ToInteger(t);
        PotentialBright = v >= 1 && v <= 3 ? static_cast<std::uint8_t>(v) : 0;
    }
    if (const std::string t = Read(ini, s, "Correction"); !t.empty()) Correction = ToReal(t);
    Color0 = LenientInteger(Read(ini, s, "Color0"));
    UseColor0 = LenientInteger(Read(ini, s, "UseColor0")) != 0;
    ShadeOff = LenientInteger(Read(ini, s, "ShadeOff")) != 0;
    BrightnessRaite = ParseReal(Read(ini, s, "BrightnessRaite")).value_or(0.0);
    Smooth = LenientInteger(Read(ini, s, "Smooth")) != 0;
}

void TFssVistal::WriteAppSection(TIniFile& ini) {
    Write(ini, "Info", "AppSection", kAppSection);
    const char* const s = kAppSection;
    Write(ini, s, "Detail", Decimal(Detail));
    Write(ini, s, "Pow", Decimal(Pow));
    Write(ini, s, "Vcp", Vcp);
    Write(ini, s, "DrawCompo", Decimal(DrawCompo));
    Write(ini, s, "DrawMode", Decimal(DrawModeToCode(DrawMode)));
    Write(ini, s, "Represent", Decimal(Represent));
    Write(ini, s, "LightDark", Decimal(LightDark));
    Write(ini, s, "Correction", FormatReal(Correction));
    Write(ini, s, "PotentialBright", Decimal(PotentialBright));
    Write(ini, s, "Color0", Decimal(Color0));
    Write(ini, s, "UseColor0", UseColor0 ? "1" : "0");
    Write(ini, s, "ShadeOff", ShadeOff ? "1" : "0");
    Write(ini, s, "BrightnessRaite", FormatReal(BrightnessRaite));
    // Only a smooth view adds the key; a file that has it is told when it is off.
    if (Smooth || ini.ValueExists(s, "Smooth")) Write(ini, s, "Smooth", Smooth ? "1" : "0");
}

// ---- the explorer's view ------------------------------------------------------

TFssVistal FssFromEngine(const TVistal& engine, const std::string& paletteName) {
    TFssVistal f;
    f.CenterRe = engine.Center().Re;
    f.CenterIm = engine.Center().Im;
    f.ImSpan = engine.ImSpan() / 2;
    if (!engine.Position().HeldByDoubles()) {
        f.Deep = engine.Position();
        f.DeepHeight = engine.Height();
    }
    f.Iteration = engine.Iteration();
    if (engine.Formula() == fmMandelbrot) {
        f.Formula = fmMandelbrot;
    } else {
        f.Formula = fmJulia;
        f.JuliaSeedRe = engine.JuliaSeed().Re;
        f.JuliaSeedIm = engine.JuliaSeed().Im;
    }
    f.Detail = engine.Detail();
    f.Pow = engine.Pow();
    f.Vcp = BaseNameWithoutExtension(paletteName);
    f.DrawCompo = engine.DrawCompo;
    f.DrawMode = engine.DrawMode;
    f.LightDark = engine.LightDark;
    f.Represent = engine.Represent;
    f.Escape = engine.Escape();
    f.Correction = engine.Correction();
    f.PotentialBright = engine.PotentialBright;
    f.Color0 = static_cast<std::int32_t>(engine.Color0());
    f.UseColor0 = engine.UseColor0;
    f.ShadeOff = engine.ShadeOff;
    f.BrightnessRaite = engine.BrightnessRaite();
    f.Smooth = engine.Smooth;
    return f;
}

std::string SaveLocationFile(const std::string& fileName, const TVistal& engine,
                             const std::string& paletteName, TLanguage language) {
    TFssVistal f = FssFromEngine(engine, paletteName);
    f.Language = language;
    try {
        f.SaveToFile(fileName);
    } catch (const std::exception&) {
        return f.ErrorMessage;
    }
    return {};
}

void ApplyFss(const TFssVistal& f, TLocationTarget& target) {
    TVistal& engine = target.Engine();
    TViewPlace place;
    place.Formula = f.Formula == fmMandelbrot ? fmMandelbrot : fmJulia;
    place.Position = f.Deep ? *f.Deep : TDeepPosition({f.CenterRe, f.CenterIm}, f.ImSpan * 2);
    place.Pow = f.Pow != -1 ? f.Pow : engine.Pow();
    place.JuliaSeed = {f.JuliaSeedRe, f.JuliaSeedIm};
    target.MoveTo(place);
    if (f.Iteration != -1) target.SelectIteration(f.Iteration);
    if (f.Detail != -1) target.SelectDetail(f.Detail);
    if (f.Pow != -1) target.SelectPower(f.Pow);
    if (!f.Vcp.empty()) {
        const std::string path = VcpPathFor(target.Global(), f.Vcp);
        if (IsExistingFile(path)) target.ApplyVcpFile(path);
    }
    ApplyDrawingMethod(target, f);
    engine.SetColor0(static_cast<TColor>(f.Color0));
    engine.UseColor0 = f.UseColor0;
    engine.ShadeOff = f.ShadeOff;
    engine.SetBrightnessRaite(f.BrightnessRaite);
    engine.Smooth = f.Smooth;
}

TLocationResult OpenLocationFile(const std::string& fileName, TLocationTarget& target) {
    TFssVistal f;
    f.Language = target.Engine().MessageLanguage();
    try {
        f.LoadFromFile(fileName);
    } catch (const std::exception&) {
        return {false, f.ErrorMessage, f.ErrorLine};
    }
    try {
        ApplyFss(f, target);
    } catch (const EAbort&) {
        return {false, {}}; // reported where it happened (a palette file that did not load)
    } catch (const std::exception& ex) {
        return {false, ex.what()};
    }
    return {};
}

} // namespace vistal

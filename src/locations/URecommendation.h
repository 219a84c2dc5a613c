// SPDX-License-Identifier: GPL-3.0-or-later
// Recommendation lists (VRP files): one location a line, as comma-separated
// key=value pairs after a type tag,
//
//     T=Vistal,Title=Seahorse valley,Cr=-0.745,Ci=0.1,W=0.01,I=1024,...
//
// read into memory as a whole, applied to the explorer's view, and appended to
// when the user registers the current view.
#pragma once

#include "base/DeepPosition.h"
#include "base/UType.h"
#include "engine/UPosition.h"
#include "engine/ViewPlace.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistal {

class TVistal;
class TGlobal;
class TLocationTarget;

// One recommended location. Immutable once loaded.
class TRecommendation {
public:
    TRecommendation() = default;
    TRecommendation(const TRecommendation&) = delete;
    TRecommendation& operator=(const TRecommendation&) = delete;

    std::string Title;
    std::string Memo;
    std::string Vcp; // palette file name without folder and extension
    // Centre, span and, for Julia records, the constant. Never null in a
    // loaded record. A line that gives more than doubles hold (over 17
    // significant digits, a span below double's range or too fine for its
    // centre) keeps its digits exactly in the position's Deep.
    std::unique_ptr<TPosition> Position;
    std::int32_t Iteration = -1; // -1: not given
    std::int32_t Detail = -1;    // -1: not given
    std::int32_t Pow = 2;
    std::uint8_t DrawMode = dmNormal; // 0: the record carries no drawing method
    std::uint8_t DrawCompo = 0;
    std::uint8_t Represent = 0;
    double Escape = 2.0;
    std::uint8_t LightDark = 0;
    double Correction = 0.0;
    std::uint8_t PotentialBright = 0;
    bool UseColor0 = false;
    std::int32_t Color0 = 0;
    bool ShadeOff = false;
    double BrightnessRaite = 0.0;
    bool Smooth = false; // SM=1: smooth colouring; written only when on

    // 1 Mandelbrot, 2 Julia: the class of the position.
    std::uint8_t Formula() const { return Position ? Position->FormulaKind() : 0; }
};

// Error codes of a failed load; 0 is a line that is not well formed (a pair
// without "=", a value that is not a number), whose message names the pair.
enum TRecommendationError : std::int32_t {
    reSyntax = 0,
    reFileNotFound = 100,
    reNoTitle = 110,
    reNoCenterIm = 120,
    reNoCenterRe = 130,
    reNoSpan = 140,
    reSpanNotPositive = 150,
    reNoJuliaIm = 160,
    reNoJuliaRe = 170,
    reIterationBelow1 = 180,
    reDetailBelow1 = 190,
    rePowBelow2 = 200,
};

// A message of a line in error, in both languages.
struct TLineMessage {
    std::string Japanese, English;
    const std::string& In(TLanguage language) const {
        return language == TLanguage::English ? English : Japanese;
    }
};

class TRecommendationList {
public:
    TRecommendationList() = default;
    TRecommendationList(const TRecommendationList&) = delete;
    TRecommendationList& operator=(const TRecommendationList&) = delete;

    // Reads the whole file. On success the records replace Items; on failure
    // Items stay as they were, the error state tells what and where, and a
    // silent abort (EAbort) ends the call. A file that exists but cannot be
    // read raises std::runtime_error with the reason instead.
    void LoadFromFile(const std::string& fileName);

    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<std::unique_ptr<TRecommendation>>& Items() const { return items_; }
    // The record at an index; ERangeError outside 0..Count()-1.
    const TRecommendation& Item(int index) const;

    // Orders the records by CompareTitles; records with equal titles keep
    // their order.
    void SortByTitle();

    std::string GetTitle(int i) const { return Item(i).Title; }
    std::string GetMemo(int i) const { return Item(i).Memo; }
    std::string GetVcp(int i) const { return Item(i).Vcp; }
    std::uint8_t GetFormula(int i) const { return Item(i).Formula(); }
    TComplex GetCenter(int i) const { return Item(i).Position->Center; }
    // Julia records only; a silent abort for a Mandelbrot record.
    TComplex GetJuliaSeed(int i) const { return Item(i).Position->GetJuliaSeed(); }
    double GetImSpan(int i) const { return Item(i).Position->ImSpan; }
    std::int32_t GetIteration(int i) const { return Item(i).Iteration; }
    std::int32_t GetDetail(int i) const { return Item(i).Detail; }
    std::int32_t GetPow(int i) const { return Item(i).Pow; }
    std::int32_t GetColor0(int i) const { return Item(i).Color0; }
    std::uint8_t GetDrawMode(int i) const { return Item(i).DrawMode; }
    std::uint8_t GetDrawCompo(int i) const { return Item(i).DrawCompo; }
    std::uint8_t GetRepresent(int i) const { return Item(i).Represent; }
    std::uint8_t GetLightDark(int i) const { return Item(i).LightDark; }
    std::uint8_t GetPotentialBright(int i) const { return Item(i).PotentialBright; }
    bool GetUseColor0(int i) const { return Item(i).UseColor0; }
    bool GetShadeOff(int i) const { return Item(i).ShadeOff; }
    double GetEscape(int i) const { return Item(i).Escape; }
    double GetCorrection(int i) const { return Item(i).Correction; }
    double GetBrightnessRaite(int i) const { return Item(i).BrightnessRaite; }

    // The state of the last failed load, kept until the next load starts.
    std::int32_t ErrorCode = 0;
    std::int32_t ErrorLine = 0; // 1-based physical line; 0 for a missing file
    std::string ErrorMessage;
    // The message of the last failed load in the language given: what the
    // code says, or for a line that is not well formed, which pair is wrong
    // and why. ErrorMessage is the Japanese one.
    const std::string& ErrorText(TLanguage language) const { return error_.In(language); }

    // The report of the last failed load as the user sees it, in the
    // language given: the message alone for a missing file, otherwise the
    // file name, the line number and the message on three lines (separated by
    // CR LF).
    std::string ErrorReport(const std::string& fileName, TLanguage language = TLanguage::Japanese) const;

private:
    std::vector<std::unique_ptr<TRecommendation>> items_;
    TLineMessage error_;
};

// Compares two titles without regard to letter case, in the collation of the
// user's locale (the environment's LC_COLLATE / LANG); where that locale is
// not available, by the bytes of the case-folded text. Negative, zero or
// positive.
int CompareTitles(std::string_view a, std::string_view b);

// Removes blanks and control characters (every byte up to and including the
// space) at both ends of the line and on both sides of every "," and "=".
std::string NormalizeLine(std::string_view line);

// One line parsed as LoadFromFile parses each line of a list (NormalizeLine
// first). A line whose first field is neither type tag is no record
// (IsRecord false); a record line in error has no Record, and its ErrorCode
// and message (Error) as a load would give them.
struct TRecordParse {
    bool IsRecord = false;
    std::unique_ptr<TRecommendation> Record;
    std::int32_t ErrorCode = 0;
    TLineMessage Error;
};
TRecordParse ParseRecordLine(std::string_view line);

// Builds one record line: SetText starts it, Add appends "," and the item.
class TBuffer {
public:
    void SetText(std::string text) { text_ = std::move(text); }
    void Add(std::string_view item) {
        text_ += ',';
        text_ += item;
    }
    const std::string& GetText() const { return text_; }

private:
    std::string text_;
};

// The texts of the entry dialog that go into a record besides the engine's view.
struct TRecordTexts {
    std::string Title;
    std::string Vcp; // palette name without folder and extension
    std::string Memo;
    // The view's exact position in full (TDeepPosition's texts) even when
    // doubles hold it: the picture of a deep view keeps it. A view that
    // doubles do not hold is always written in full.
    bool FullPosition = false;
};

// A record line, or the message that says why there is none.
struct TRecordLine {
    std::string Line;  // without line end
    std::string Error; // empty on success
    bool Ok() const { return Error.empty(); }
};

// Composes the record of the engine's current view with the given texts. The
// centre, span and Julia constant are written in the "%g" format with 15
// significant digits, the same text the entry dialog shows for them.
TRecordLine ComposeRecordLine(const TRecordTexts& texts, const TVistal& engine,
                              TLanguage language = TLanguage::Japanese);

// Appends a line and CR LF to a list file, creating the file when missing.
// The bytes already in the file are never changed: when the last line has no
// line end, one is written first; the text is encoded as the file is (a new or
// plain-ASCII file in CP932); a failed write is undone. A CP932 record whose
// bytes would leave the file valid UTF-8 gets the comment line
// "; 文字コード: Shift_JIS (CP932)" before it, which keeps the file CP932 for
// every reader. Returns the message for the user (in the language given), or
// an empty text on success.
std::string AppendRecordLine(const std::string& fileName, const std::string& line,
                             TLanguage language = TLanguage::Japanese);

// The register command without its dialog: checks the file name, composes the
// record and appends it. Returns the message for the user, or an empty text
// when the record was written.
std::string RegisterRecord(const std::string& fileName, const TRecordTexts& texts, const TVistal& engine,
                           TLanguage language = TLanguage::Japanese);

// The view a loaded record shows: its position with the record's exponent.
TViewPlace PlaceOf(const TRecommendation& record);

// Applies a record to the explorer's view through the target's operations:
// formula, centre and span, Julia constant, exponent, iteration limit and
// detail, the palette file (when RestoreVcp is on and the file exists), the
// drawing method with its extended settings, then colour 0, shade-off and the
// brightness ratio. Does not draw.
void ApplyRecommendation(const TRecommendation& record, TLocationTarget& target);

// Sets up an engine of its own to preview a record as the explorer would draw
// it once applied, and leaves the explorer alone. A running preview stops
// first; the picture size is the caller's. Where it differs from
// ApplyRecommendation:
// - the engine is set directly: no menu follows, and the formula switches on
//   the preview engine alone;
// - an iteration limit the record does not give is the explorer's; a detail it
//   does not give is computed by automatic detail when the explorer's is on
//   (after the palette, so that it follows the palette the preview draws
//   with), else the explorer's. The explorer's own automatic detail stays as
//   it is whatever the record gives;
// - the palette is the explorer's, or the record's palette file when
//   RestoreVcp is on and the file exists; a file that does not load is
//   reported and the preview keeps the explorer's palette;
// - the record's drawing method is taken as it stands (0 is the normal
//   method, not the method last chosen), and its extended settings always.
void PreviewRecommendation(const TRecommendation& record, TVistal& preview, const TVistal& explorer,
                           bool explorerDetailAuto, const TGlobal& global);

} // namespace vistal

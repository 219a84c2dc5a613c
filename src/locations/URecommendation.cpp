// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/URecommendation.h"

#include "base/Messages.h"
#include "base/TextEncoding.h"
#include "base/UFormat.h"
#include "engine/vistal_class.h"
#include "locations/Messages.h"
#include "locations/ULocationTarget.h"
#include "locations/ViewText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <locale>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace vistal {

namespace {

bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The message of an error code, or null.
const TText* MessageOf(std::int32_t code) {
    switch (code) {
    case reNoTitle:
        return &msg::kNoTitle;
    case reNoCenterIm:
        return &msg::kNoCenterIm;
    case reNoCenterRe:
        return &msg::kNoCenterRe;
    case reNoSpan:
        return &msg::kNoSpan;
    case reSpanNotPositive:
        return &msg::kSpanNotPositive;
    case reNoJuliaIm:
        return &msg::kNoJuliaIm;
    case reNoJuliaRe:
        return &msg::kNoJuliaRe;
    case reIterationBelow1:
        return &msg::kIterationBelow1;
    case reDetailBelow1:
        return &msg::kDetailBelow1;
    case rePowBelow2:
        return &msg::kPowBelow2;
    default:
        return nullptr;
    }
}

// A line that ends the load, with its code and what is wrong.
struct TLineFailure {
    std::int32_t code;
    TLineMessage message;
};

TLineMessage Composed(const TText& text, std::initializer_list<std::string_view> args = {}) {
    return {Compose(text, TLanguage::Japanese, args), Compose(text, TLanguage::English, args)};
}

[[noreturn]] void Fail(std::int32_t code) {
    throw TLineFailure{code, Composed(*MessageOf(code))};
}

// A piece of the line as a message quotes it: at most 40 bytes, never half a
// UTF-8 character.
std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return std::string(text);
    std::size_t end = kShown;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "…";
}

// A pair that is no key=value: an empty one (",," or a comma at the end), one
// without "=" or one without a key.
[[noreturn]] void FailPair(std::string_view pair) {
    if (pair.empty()) throw TLineFailure{reSyntax, Composed(msg::kNoItemAfterComma)};
    throw TLineFailure{
        reSyntax,
        Composed(pair.front() == '=' ? msg::kItemWithoutName : msg::kItemWithoutEquals, {Shown(pair)})};
}

// A value that does not convert; the pair loop adds the key and the value.
struct TBadValue {
    const TText* problem; // msg::kValueNotNumber
};

double Real(std::string_view value) {
    const std::optional<double> v = ParseReal(value);
    if (!v) throw TBadValue{&msg::kValueNotNumber};
    return *v;
}

std::int32_t Integer(std::string_view value) {
    const std::optional<long long> v = ParseInteger(value);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        throw TBadValue{&msg::kValueNotInteger};
    return static_cast<std::int32_t>(*v);
}

// A number (non-zero is true) or the words True and False in any letter case.
bool Boolean(std::string_view value) {
    if (const std::optional<double> v = ParseReal(value)) return *v != 0;
    const std::string word = Upper(value);
    if (word == "TRUE") return true;
    if (word == "FALSE") return false;
    throw TBadValue{&msg::kValueNotBoolean};
}

enum class TKey {
    Title,
    Cr,
    Ci,
    W,
    Jr,
    Ji,
    I,
    D,
    Pow,
    DM,
    CM,
    RE,
    ER,
    LD,
    CO,
    PB,
    VCP,
    Memo,
    CL0U,
    CL0,
    SO,
    BR,
    SM,
    Unknown
};

TKey KeyOf(std::string_view upper) {
    static constexpr struct {
        std::string_view name;
        TKey key;
    } kKeys[] = {{"TITLE", TKey::Title}, {"CR", TKey::Cr},     {"CI", TKey::Ci},     {"W", TKey::W},
                 {"JR", TKey::Jr},       {"JI", TKey::Ji},     {"I", TKey::I},       {"D", TKey::D},
                 {"POW", TKey::Pow},     {"DM", TKey::DM},     {"CM", TKey::CM},     {"RE", TKey::RE},
                 {"ER", TKey::ER},       {"LD", TKey::LD},     {"CO", TKey::CO},     {"PB", TKey::PB},
                 {"VCP", TKey::VCP},     {"MEMO", TKey::Memo}, {"CL0U", TKey::CL0U}, {"CL0", TKey::CL0},
                 {"SO", TKey::SO},       {"BR", TKey::BR},     {"SM", TKey::SM}};
    for (const auto& k : kKeys)
        if (k.name == upper) return k.key;
    return TKey::Unknown;
}

// The values that are checked once the whole line is read.
struct TPending {
    std::optional<double> w, ci, cr, jr, ji;
    std::string_view crText, ciText, wText; // as written, for a position beyond doubles
    std::optional<std::int32_t> i, d, pow;
    bool title = false;
};

void Store(TRecommendation& r, TPending& p, TKey key, std::string_view value) {
    switch (key) {
    case TKey::Title:
        r.Title = std::string(value);
        p.title = true;
        break;
    case TKey::Cr:
        p.cr = Real(value);
        p.crText = value;
        break;
    case TKey::Ci:
        p.ci = Real(value);
        p.ciText = value;
        break;
    case TKey::W:
        // A span below double's range is a deep view's; it reads as 0 here
        // and exactly in Exact.
        if (const std::optional<double> v = ParseReal(value))
            p.w = *v;
        else if (const std::optional<TFloatExp> span = TDeepPosition::ParseSpan(value))
            p.w = value.find('-') == 0 ? -span->ToDouble() : span->ToDouble();
        else
            throw TBadValue{&msg::kValueNotNumber};
        p.wText = value;
        break;
    case TKey::Jr:
        p.jr = Real(value);
        break;
    case TKey::Ji:
        p.ji = Real(value);
        break;
    case TKey::I:
        p.i = Integer(value);
        break;
    case TKey::D:
        p.d = Integer(value);
        break;
    case TKey::Pow:
        p.pow = Integer(value);
        break;
    case TKey::DM:
        r.DrawMode = DrawModeFromCode(Integer(value));
        break;
    case TKey::CM:
        r.DrawCompo = value == "1" ? 1 : 0;
        break;
    case TKey::RE:
        r.Represent = Integer(value) == 1 ? 1 : 0;
        break;
    case TKey::ER:
        r.Escape = Real(value);
        break;
    case TKey::LD:
        r.LightDark = Integer(value) == 1 ? 1 : 0;
        break;
    case TKey::CO:
        r.Correction = Real(value);
        break;
    case TKey::PB: {
        const std::int32_t v = Integer(value);
        r.PotentialBright = v >= 1 && v <= 3 ? static_cast<std::uint8_t>(v) : 0;
        break;
    }
    case TKey::VCP:
        r.Vcp = std::string(value);
        break;
    case TKey::Memo:
        r.Memo = std::string(value);
        break;
    case TKey::CL0U:
        r.UseColor0 = value == "1";
        break;
    case TKey::CL0:
        r.Color0 = Integer(value);
        break;
    case TKey::SO:
        r.ShadeOff = Boolean(value);
        break;
    case TKey::BR:
        r.BrightnessRaite = Real(value);
        break;
    case TKey::SM:
        r.Smooth = Boolean(value);
        break;
    case TKey::Unknown:
        break;
    }
}

// One normalized line: a record, or null for a line that is not one.
std::unique_ptr<TRecommendation> ParseRecord(std::string_view line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return nullptr;
    const std::string tag = Upper(line.substr(0, comma));
    std::uint8_t formula;
    if (tag == "T=VISTAL")
        formula = fmMandelbrot;
    else if (tag == "T=JULIA")
        formula = fmJulia;
    else
        return nullptr;

    auto record = std::make_unique<TRecommendation>();
    TPending p;
    std::string_view rest = line.substr(comma + 1);
    for (;;) {
        const std::size_t next = rest.find(',');
        const std::string_view pair = rest.substr(0, next);
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos || eq == 0) FailPair(pair);
        const std::string_view value = pair.substr(eq + 1);
        try {
            if (!value.empty()) Store(*record, p, KeyOf(Upper(pair.substr(0, eq))), value);
        } catch (const TBadValue& bad) {
            throw TLineFailure{reSyntax, Composed(*bad.problem, {pair.substr(0, eq), Shown(value)})};
        }
        if (next == std::string_view::npos) break;
        rest.remove_prefix(next + 1);
    }

    if (!p.title) Fail(reNoTitle);
    if (!p.ci) Fail(reNoCenterIm);
    if (!p.cr) Fail(reNoCenterRe);
    record->Position = CreatePosition(formula);
    record->Position->Center = {*p.cr, *p.ci};
    if (!p.w) Fail(reNoSpan);
    const std::optional<TFloatExp> exactSpan = TDeepPosition::ParseSpan(p.wText);
    if (!(*p.w > 0) && !(p.wText.find('-') != 0 && exactSpan && !exactSpan->IsZero()))
        Fail(reSpanNotPositive);
    record->Position->ImSpan = *p.w;
    if (NeedsDeepReading(p.crText, p.ciText, p.wText)) {
        // A position beyond doubles: the digits as written.
        if (const std::optional<TDeepPosition> exact = ReadDeepView(p.crText, p.ciText, p.wText))
            record->Position->SetView(*exact);
    }
    if (formula == fmJulia) {
        if (!p.ji) Fail(reNoJuliaIm);
        if (!p.jr) Fail(reNoJuliaRe);
        record->Position->SetJuliaSeed({*p.jr, *p.ji});
    }
    if (p.i) {
        if (*p.i < 1) Fail(reIterationBelow1);
        record->Iteration = *p.i;
    }
    if (p.d) {
        if (*p.d < 1) Fail(reDetailBelow1);
        record->Detail = *p.d;
    }
    if (p.pow) {
        if (*p.pow < 2) Fail(rePowBelow2);
        record->Pow = *p.pow;
    }
    record->Position->Pow = record->Pow;
    return record;
}

struct TFd {
    int fd = -1;
    ~TFd() {
        if (fd >= 0) ::close(fd);
    }
};

// The whole file, or nullopt when there is no regular file of that name.
std::optional<std::string> ReadFileIfExists(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        throw std::runtime_error("Cannot read " + fileName + ": " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) return std::nullopt;
    TFd f;
    f.fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) throw std::runtime_error("Cannot read " + fileName + ": " + std::strerror(errno));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(f.fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("Cannot read " + fileName + ": " + std::strerror(errno));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

// ---- titles --------------------------------------------------------------

std::wstring WideOf(std::string_view s) {
    std::wstring out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = n > 0 && i + n <= s.size();
        for (int k = 1; ok && k < n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!ok) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
        } else {
            out.push_back(static_cast<wchar_t>(cp));
            i += static_cast<std::size_t>(n);
        }
    }
    return out;
}

// The sort key of a title: case-folded, then transformed by the collation of
// the user's locale where there is one.
class TTitleCollator {
public:
    TTitleCollator() {
        try {
            locale_.emplace("");
        } catch (const std::exception&) {
            // No such locale installed: code point order of the folded text.
        }
    }

    struct TKeyed {
        std::wstring key;    // collation key
        std::wstring folded; // breaks ties between different texts of equal key
    };

    TKeyed Key(std::string_view title) const {
        TKeyed k;
        k.folded = WideOf(title);
        if (locale_) {
            const auto& ctype = std::use_facet<std::ctype<wchar_t>>(*locale_);
            ctype.tolower(k.folded.data(), k.folded.data() + k.folded.size());
            const auto& collate = std::use_facet<std::collate<wchar_t>>(*locale_);
            k.key = collate.transform(k.folded.data(), k.folded.data() + k.folded.size());
        } else {
            for (wchar_t& c : k.folded)
                if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
            k.key = k.folded;
        }
        return k;
    }

    static int Compare(const TKeyed& a, const TKeyed& b) {
        if (int c = a.key.compare(b.key)) return c < 0 ? -1 : 1;
        if (int c = a.folded.compare(b.folded)) return c < 0 ? -1 : 1;
        return 0;
    }

private:
    std::optional<std::locale> locale_;
};

// ---- writing -------------------------------------------------------------

// A line the reader ignores (it has no comma) and UTF-8 cannot hold once it
// is written in Shift-JIS: it keeps a list Shift-JIS for every reader.
const char* const kCp932Mark = "; 文字コード: Shift_JIS (CP932)";

std::string CannotWrite(const std::string& fileName, TLanguage language) {
    return Compose(msg::kCannotWriteFile, language, {fileName});
}

// The read-only attribute of other systems: no write permission for us, or
// none for anyone (which holds even for the superuser here).
bool IsReadOnly(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(fileName.c_str(), W_OK) != 0;
}

// Line breaks and the end-of-file byte would cut the record; they become blanks.
std::string SingleLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\x1A') c = ' ';
    return out;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

// ---- TRecommendationList ---------------------------------------------------

std::string NormalizeLine(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    bool afterSeparator = true; // the start of the line counts as one
    for (char c : line) {
        if (IsBlankByte(c)) {
            if (!afterSeparator) out.push_back(c);
        } else if (c == ',' || c == '=') {
            while (!out.empty() && IsBlankByte(out.back()))
                out.pop_back();
            out.push_back(c);
            afterSeparator = true;
        } else {
            out.push_back(c);
            afterSeparator = false;
        }
    }
    while (!out.empty() && IsBlankByte(out.back()))
        out.pop_back();
    return out;
}

const TRecommendation& TRecommendationList::Item(int index) const {
    if (index < 0 || index >= Count())
        throw ERangeError("recommendation index " + std::to_string(index) + " out of range");
    return *items_[static_cast<std::size_t>(index)];
}

void TRecommendationList::LoadFromFile(const std::string& fileName) {
    ErrorCode = 0;
    ErrorMessage.clear();
    error_ = {};
    std::optional<std::string> bytes = ReadFileIfExists(fileName);
    if (!bytes) {
        ErrorCode = reFileNotFound;
        ErrorLine = 0;
        error_ = Composed(msg::kListNotFound, {fileName});
        ErrorMessage = error_.Japanese;
        throw EAbort();
    }
    // The end-of-file byte of old text files ends the list.
    const std::size_t eof = bytes->find('\x1A');
    if (eof != std::string::npos) bytes->resize(eof);
    const std::string text = DecodeText(*bytes, DetectEncoding(*bytes));
    bytes.reset();

    std::vector<std::unique_ptr<TRecommendation>> loaded;
    std::int32_t lineNumber = 0;
    std::string_view rest(text);
    try {
        // A line ends at LF, CR LF or a lone CR; none of them occurs inside a character.
        while (!rest.empty()) {
            const std::size_t end = rest.find_first_of("\r\n");
            const std::string_view raw = rest.substr(0, end);
            if (end == std::string_view::npos) {
                rest = {};
            } else {
                const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
                rest.remove_prefix(end + (crlf ? 2 : 1));
            }
            ++lineNumber;
            if (raw.empty()) continue;
            if (auto record = ParseRecord(NormalizeLine(raw))) loaded.push_back(std::move(record));
        }
    } catch (TLineFailure& failure) {
        ErrorCode = failure.code;
        ErrorLine = lineNumber;
        error_ = std::move(failure.message);
        ErrorMessage = error_.Japanese;
        throw EAbort();
    }
    items_ = std::move(loaded);
}

TRecordParse ParseRecordLine(std::string_view line) {
    TRecordParse result;
    const std::string normal = NormalizeLine(line);
    try {
        result.Record = ParseRecord(normal);
        result.IsRecord = result.Record != nullptr;
    } catch (const TLineFailure& failure) {
        result.IsRecord = true;
        result.ErrorCode = failure.code;
        result.Error = failure.message;
    }
    return result;
}

std::string TRecommendationList::ErrorReport(const std::string& fileName, TLanguage language) const {
    if (ErrorCode == reFileNotFound) return Compose(msg::kListNotFound, language, {fileName});
    return Compose(msg::kListStoppedAtLine, language, {fileName, std::to_string(ErrorLine)}) +
           ErrorText(language);
}

void TRecommendationList::SortByTitle() {
    const TTitleCollator collator;
    struct TEntry {
        TTitleCollator::TKeyed key;
        std::unique_ptr<TRecommendation> record;
    };
    std::vector<TEntry> entries;
    entries.reserve(items_.size());
    for (auto& record : items_)
        entries.push_back({collator.Key(record->Title), std::move(record)});
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
        return TTitleCollator::Compare(a.key, b.key) < 0;
    });
    for (std::size_t i = 0; i < entries.size(); ++i)
        items_[i] = std::move(entries[i].record);
}

int CompareTitles(std::string_view a, std::string_view b) {
    const TTitleCollator collator;
    return TTitleCollator::Compare(collator.Key(a), collator.Key(b));
}

// ---- writing ---------------------------------------------------------------

TRecordLine ComposeRecordLine(const TRecordTexts& texts, const TVistal& engine, TLanguage language) {
    const auto error = [language](const TText& message) { return TRecordLine{{}, message.In(language)}; };
    const std::string title = SingleLine(texts.Title);
    // Blanks alone read back as no title at all, and that record would stop
    // the whole list from loading.
    if (NormalizeLine(title).empty()) return error(msg::kNoRecordTitle);
    if (title.find(',') != std::string::npos) return error(msg::kCommaInTitle);

    TBuffer b;
    if (engine.Formula() == fmMandelbrot)
        b.SetText("T=Vistal");
    else if (engine.Formula() == fmJulia)
        b.SetText("T=Julia");
    else
        return {{}, "Error 00"};
    b.Add("Title=" + title);
    if (engine.Formula() == fmJulia) {
        b.Add("Jr=" + FormatReal(engine.JuliaSeed().Re));
        b.Add("Ji=" + FormatReal(engine.JuliaSeed().Im));
    }
    const TViewTexts view = ViewTexts(engine.Position(), engine.Height(), texts.FullPosition);
    b.Add("Cr=" + view.Re);
    b.Add("Ci=" + view.Im);
    b.Add("W=" + view.Span);
    b.Add("I=" + std::to_string(engine.Iteration()));
    b.Add("D=" + std::to_string(engine.Detail()));
    b.Add("Pow=" + std::to_string(engine.Pow()));
    // Only the potential methods are stored; any other method reads back as "none".
    const std::uint8_t mode = engine.DrawMode;
    b.Add("DM=" + std::to_string(mode >= dmPotential1 && mode <= dmPotential3 ? DrawModeToCode(mode) : 0));
    if (mode >= dmExtNormal && mode <= dmPotential3) {
        b.Add(engine.DrawCompo == 1 ? "CM=1" : "CM=0");
        b.Add("RE=" + std::to_string(engine.Represent));
        b.Add("LD=" + std::to_string(engine.LightDark));
        b.Add("ER=" + FormatReal(engine.Escape()));
        b.Add("CO=" + FormatReal(engine.Correction()));
        b.Add("PB=" + std::to_string(engine.PotentialBright));
    }
    const std::string vcp = SingleLine(texts.Vcp);
    if (vcp.find(',') != std::string::npos) return error(msg::kCommaInVcp);
    b.Add("VCP=" + vcp);
    const std::string memo = SingleLine(texts.Memo);
    if (memo.find(',') != std::string::npos) return error(msg::kCommaInMemo);
    b.Add("Memo=" + memo);
    if (engine.UseColor0) {
        b.Add("CL0U=1");
        b.Add("CL0=" + std::to_string(static_cast<std::int32_t>(engine.Color0())));
    } else {
        b.Add("CL0U=0");
    }
    b.Add(engine.ShadeOff ? "SO=-1" : "SO=0");
    b.Add("BR=" + FormatReal(engine.BrightnessRaite()));
    // Only a smooth view says so: the records of every other view stay as they were.
    if (engine.Smooth) b.Add("SM=1");
    return {b.GetText(), {}};
}

std::string AppendRecordLine(const std::string& fileName, const std::string& line, TLanguage language) {
    const std::string readOnly = msg::kListReadOnly.In(language);
    const auto cannotWrite = [language](const std::string& name) { return CannotWrite(name, language); };
    if (fileName.empty()) return msg::kNoListFile.In(language);
    std::optional<std::string> old;
    try {
        old = ReadFileIfExists(fileName);
    } catch (const std::exception&) {
        return IsReadOnly(fileName) ? readOnly : cannotWrite(fileName);
    }
    if (!old && ::access(fileName.c_str(), F_OK) == 0) return cannotWrite(fileName); // a folder or device
    if (old && IsReadOnly(fileName)) return readOnly;
    // Readers stop at an end-of-file byte, so a record behind one would be lost.
    if (old && old->find('\x1A') != std::string::npos)
        return cannotWrite(fileName) + msg::kAfterEndOfFile.In(language);

    // The file keeps its encoding; a new, empty or plain-ASCII file is CP932.
    TTextEncoding encoding = TTextEncoding::Cp932;
    if (old && !IsAscii(*old)) {
        const TTextEncoding detected = DetectEncoding(*old);
        if (detected != TTextEncoding::Cp932) encoding = TTextEncoding::Utf8;
    }
    std::string bytes;
    if (old && !old->empty() && old->back() != '\n' && old->back() != '\r') bytes = "\r\n";
    std::string record;
    try {
        record = EncodeText(line, encoding) + "\r\n";
    } catch (const ETextEncodingError& ex) {
        return cannotWrite(fileName) + "\r\n" + ex.what();
    }
    // A Shift-JIS record whose bytes happen to be valid UTF-8 (ﾃｽ is C3 BD,
    // also ý), added to a list of ASCII alone, would make the whole list read
    // as UTF-8. The mark goes before the record instead; the bytes already in
    // the file stay as they are.
    if (encoding == TTextEncoding::Cp932 && !IsAscii(record) &&
        IsValidUtf8(old.value_or("") + bytes + record))
        bytes += EncodeCp932(kCp932Mark) + "\r\n";
    bytes += record;

    TFd f;
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC | (old ? 0 : O_CREAT | O_EXCL);
    f.fd = ::open(fileName.c_str(), flags, 0666);
    if (f.fd < 0)
        return errno == EACCES || errno == EROFS ? (old ? readOnly : cannotWrite(fileName))
                                                 : cannotWrite(fileName);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return cannotWrite(fileName);
    const off_t originalSize = st.st_size;
    if (!WriteAll(f.fd, bytes) || ::fsync(f.fd) != 0) {
        // Undo whatever part of the record reached the file.
        if (::ftruncate(f.fd, originalSize) == 0) ::fsync(f.fd);
        ::close(f.fd);
        f.fd = -1;
        if (!old) ::unlink(fileName.c_str());
        return cannotWrite(fileName);
    }
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) return cannotWrite(fileName);
    return {};
}

std::string RegisterRecord(const std::string& fileName, const TRecordTexts& texts, const TVistal& engine,
                           TLanguage language) {
    if (fileName.empty()) return msg::kNoListFile.In(language);
    if (IsReadOnly(fileName)) return msg::kListReadOnly.In(language);
    const TRecordLine line = ComposeRecordLine(texts, engine, language);
    if (!line.Ok()) return line.Error;
    return AppendRecordLine(fileName, line.Line, language);
}

// ---- applying ----------------------------------------------------------------

TViewPlace PlaceOf(const TRecommendation& record) {
    TViewPlace place = PlaceOf(*record.Position);
    place.Pow = record.Pow;
    return place;
}

void ApplyRecommendation(const TRecommendation& record, TLocationTarget& target) {
    if (!record.Position) throw EAbort(); // not a loaded record
    TVistal& engine = target.Engine();
    target.MoveTo(PlaceOf(record));
    target.SelectPower(record.Pow);
    if (record.Iteration != -1) target.SelectIteration(record.Iteration);
    if (record.Detail != -1) target.SelectDetail(record.Detail);
    if (target.Global().RestoreVcp) {
        const std::string path = VcpPathFor(target.Global(), record.Vcp);
        if (IsExistingFile(path)) target.ApplyVcpFile(path);
    }
    ApplyDrawingMethod(target, record);
    engine.UseColor0 = record.UseColor0;
    engine.SetColor0(static_cast<TColor>(record.Color0));
    engine.ShadeOff = record.ShadeOff;
    engine.SetBrightnessRaite(record.BrightnessRaite);
    engine.Smooth = record.Smooth;
}

void PreviewRecommendation(const TRecommendation& record, TVistal& preview, const TVistal& explorer,
                           bool explorerDetailAuto, const TGlobal& global) {
    if (!record.Position) throw EAbort(); // not a loaded record
    TVistal& p = preview;
    p.SetDrawing(false);
    p.SetIteration(record.Iteration != -1 ? record.Iteration : explorer.Iteration());
    if (record.Formula() != p.Formula()) p.ChangeFormula();
    SetPlace(p, PlaceOf(record));
    p.CopyPaletteFrom(explorer);
    if (global.RestoreVcp) {
        const std::string path = VcpPathFor(global, record.Vcp);
        if (IsExistingFile(path)) {
            try {
                p.LoadVcp(path);
            } catch (const EAbort&) {
                // Reported; the preview keeps the explorer's palette.
            }
        }
    }
    if (record.Detail != -1)
        p.SetDetail(record.Detail);
    else if (explorerDetailAuto)
        p.AutoDetail();
    else
        p.SetDetail(explorer.Detail());
    p.DrawMode = record.DrawMode;
    p.DrawCompo = record.DrawCompo;
    p.Represent = record.Represent;
    p.SetEscape(record.Escape);
    p.LightDark = record.LightDark;
    p.SetCorrection(record.Correction);
    p.PotentialBright = record.PotentialBright;
    p.UseColor0 = record.UseColor0;
    p.SetColor0(static_cast<TColor>(record.Color0));
    p.ShadeOff = record.ShadeOff;
    p.SetBrightnessRaite(record.BrightnessRaite);
    p.Smooth = record.Smooth;
}

} // namespace vistal

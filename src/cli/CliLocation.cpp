// SPDX-License-Identifier: GPL-3.0-or-later
// The location options of vistal-render: a record of a VRP list, an FSS file
// or the view a picture keeps, applied to the engine as the explorer applies
// a location; and palette files, whose messages name them.
#include "cli/CliOptions.h"

#include "cli/Palettes.h"
#include "engine/PictureMemory.h"
#include "locations/PictureView.h"
#include "locations/UFss.h"
#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"

#include <new>
#include <stdexcept>

namespace vistal::cli {

namespace {

// The program's reports use CR LF between their lines; a terminal wants LF.
std::string TerminalLines(std::string text) {
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// "FILE:LINE: message", the line left out when it is 0.
std::string AtLine(const std::string& fileName, int line, const std::string& message) {
    std::string text = fileName;
    if (line > 0) text.append(":").append(std::to_string(line));
    return text.append(": ").append(message);
}

// Runs the reading of a file: memory that runs out there is reported as such,
// with the file's name.
template <class F> void ReadingFile(const std::string& fileName, F&& read) {
    try {
        read();
    } catch (const std::bad_alloc&) {
        throw std::runtime_error("out of memory while reading " + fileName);
    }
}

// Puts a file's name before every message it passes on, and the line when
// the message is about one; in the language of the reporter it passes on to.
class TPrefixReporter : public TErrorReporter {
public:
    TPrefixReporter(TErrorReporter* inner, std::string prefix) : inner_(inner), prefix_(std::move(prefix)) {
        if (inner_) Language = inner_->Language;
    }
    void ShowError(const std::string& text) override {
        if (inner_) inner_->ShowError(AtLine(prefix_, 0, text));
    }
    void ShowLineError(int line, const std::string&, const std::string& lineText) override {
        if (inner_) inner_->ShowError(AtLine(prefix_, line, lineText));
    }

private:
    TErrorReporter* inner_;
    std::string prefix_;
};

// An engine target whose palette files report under their names, and which
// remembers the last one.
class TRenderTarget : public TEngineTarget {
public:
    using TEngineTarget::TEngineTarget;
    void ApplyVcpFile(const std::string& path) override {
        LoadPaletteFile(Engine(), path);
        Global().PaletteName = path;
        PaletteFile = path;
    }
    std::string PaletteFile;
};

void SetBuiltinPalette(TVistal& e, const std::string& name) {
    if (name == "mono")
        e.SetPaletteMono();
    else if (name == "blue")
        e.SetPaletteBlue();
    else
        e.SetPaletteStandard();
}

// The built-in palette a picture names: the renderer's names, or the ones the
// explorer shows and writes (標準, 白黒, 青). Empty for any other name.
std::string BuiltinPaletteNamed(const std::string& name) {
    if (IsBuiltinPalette(name)) return name;
    if (name == "標準") return "standard";
    if (name == "白黒") return "mono";
    if (name == "青") return "blue";
    return {};
}

void ApplyViewFrom(const std::string& fileName, bool sizeGiven, TRenderTarget& target,
                   const std::vector<std::string>& folders, TAppliedOptions& applied) {
    TPictureView view;
    ReadingFile(fileName, [&] { view = ReadPictureView(fileName, target.Engine().MessageLanguage()); });
    ApplyPictureView(view, target);
    TVistal& e = target.Engine();
    // The picture's own size, unless --size says otherwise.
    if (view.Width >= 1 && view.Width <= kMaxPictureSide && view.Height >= 1 &&
        view.Height <= kMaxPictureSide) {
        e.SetWidth(view.Width);
        e.SetHeight(view.Height);
    } else if (!sizeGiven) {
        const std::string size = view.Width > 0 && view.Height > 0
                                     ? "the size " + std::to_string(view.Width) + "x" +
                                           std::to_string(view.Height) + ", which cannot be drawn"
                                     : std::string("no size that can be drawn");
        applied.Warnings.push_back(fileName + ": the picture's header gives " + size + " (1.." +
                                   std::to_string(kMaxPictureSide) + " pixels a side); drawing at " +
                                   std::to_string(e.Width()) + "x" + std::to_string(e.Height()) +
                                   " (give --size)");
    }
    applied.Title = view.Record->Title;
    const std::string& name = view.Record->Vcp;
    if (name.empty()) return;
    if (const std::string builtin = BuiltinPaletteNamed(name); !builtin.empty()) {
        SetBuiltinPalette(e, builtin);
        applied.Palette = builtin;
        return;
    }
    // The name comes from the file: it may name a palette, never a path elsewhere.
    std::string path;
    if (name.find_first_of(std::string("/\0", 2)) == std::string::npos) {
        path = VcpPathFor(target.Global(), name);
        if (!IsExistingFile(path)) path = FindPalette(name, folders).value_or("");
    }
    if (path.empty()) {
        applied.Warnings.push_back(fileName + ": the picture's palette '" + name +
                                   "' is not found; drawing with standard (name its file with --palette)");
        return;
    }
    target.ApplyVcpFile(path);
    applied.Palette = name;
}

} // namespace

void LoadPaletteFile(TVistal& engine, const std::string& fileName, const std::string& gradient) {
    TErrorReporter* const inner = engine.ErrorReporter;
    TPrefixReporter prefix(inner, fileName);
    engine.ErrorReporter = &prefix;
    struct TRestore {
        TVistal& engine;
        TErrorReporter* reporter;
        ~TRestore() { engine.ErrorReporter = reporter; }
    } restore{engine, inner};
    ReadingFile(fileName, [&] { engine.LoadPalette(fileName, gradient); });
}

void ApplyLocationOptions(const TRenderOptions& o, TVistal& e, const TRenderEnvironment& environment,
                          TAppliedOptions& applied) {
    if (!o.vrpFile && !o.fssFile && !o.viewFrom) return;
    TGlobal global;
    if (o.vcpFolder) {
        global.VcpAlways = true;
        global.SetVcpFiles(*o.vcpFolder);
        global.RestoreVcp = true;
    }
    TRenderTarget target(e, global);
    if (o.viewFrom) {
        // The palette is looked up below, in the palette folders too.
        global.RestoreVcp = false;
        ApplyViewFrom(*o.viewFrom, o.width || o.height, target, environment.PaletteFolders, applied);
        return;
    }
    if (o.vrpFile) {
        TRecommendationList list;
        ReadingFile(*o.vrpFile, [&] {
            try {
                list.LoadFromFile(*o.vrpFile);
            } catch (const EAbort&) {
                const TLanguage language = e.MessageLanguage();
                if (list.ErrorCode == reFileNotFound)
                    throw std::runtime_error(TerminalLines(list.ErrorReport(*o.vrpFile, language)));
                throw std::runtime_error(AtLine(*o.vrpFile, list.ErrorLine, list.ErrorText(language)));
            }
        });
        const int n = o.record.value_or(1);
        if (n > list.Count())
            throw std::runtime_error(*o.vrpFile + " holds " + std::to_string(list.Count()) +
                                     (list.Count() == 1 ? " record" : " records") + "; there is no record " +
                                     std::to_string(n));
        const TRecommendation& record = list.Item(n - 1);
        ApplyRecommendation(record, target);
        applied.Title = record.Title;
    } else {
        TFssVistal fss;
        fss.Language = e.MessageLanguage();
        ReadingFile(*o.fssFile, [&] {
            try {
                fss.LoadFromFile(*o.fssFile);
            } catch (const std::bad_alloc&) {
                throw;
            } catch (const std::exception&) {
                // A file that could not be read at all is named by the reader's own message.
                if (!fss.FileError().empty()) throw std::runtime_error(fss.FileError());
                throw std::runtime_error(AtLine(*o.fssFile, fss.ErrorLine, TerminalLines(fss.ErrorMessage)));
            }
        });
        ApplyFss(fss, target); // a palette file that does not load has reported itself
    }
    if (!target.PaletteFile.empty()) applied.Palette = BaseNameWithoutExtension(target.PaletteFile);
}

} // namespace vistal::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/PictureView.h"

#include "base/UFormat.h"
#include "colour/ImageText.h"
#include "engine/vistal_class.h"
#include "locations/ULocationTarget.h"

#include <stdexcept>

namespace vistal {

namespace {

// The first `limit` bytes of a UTF-8 text, not cutting a character.
std::string CutUtf8(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The keys of a picture besides the record's; later pairs win, as in a list.
void ReadPictureKeys(std::string_view line, TPictureView& view) {
    const std::string normal = NormalizeLine(line);
    std::string_view rest(normal);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view pair = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string key = Upper(pair.substr(0, eq));
        const std::optional<long long> value = ParseInteger(pair.substr(eq + 1));
        if (!value) continue;
        if (key == "METHOD")
            view.DrawMode = DrawModeFromCode(*value);
        else if (key == "HALF")
            view.Half = *value != 0;
    }
}

} // namespace

TRecordLine ComposePictureText(const TVistal& engine, const std::string& title,
                               const std::string& paletteName) {
    TRecordTexts texts;
    texts.Title = CutUtf8(title, kMaxPictureTitle);
    // A deep view keeps its whole position; any other the doubles it is drawn with.
    texts.FullPosition = engine.DeepView();
    if (paletteName.find(',') == std::string::npos) texts.Vcp = CutUtf8(paletteName, kMaxPictureTitle);
    TRecordLine line = ComposeRecordLine(texts, engine);
    if (!line.Ok()) return line;
    line.Line += ",Method=" + std::to_string(DrawModeToCode(engine.DrawMode));
    line.Line += engine.Half ? ",Half=1" : ",Half=0";
    return line;
}

std::optional<TPictureView> ParsePictureText(std::string_view text, std::string& error, TLanguage language) {
    const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    TRecordParse parse = ParseRecordLine(line);
    if (!parse.IsRecord) {
        error = "it holds no view";
        return std::nullopt;
    }
    if (!parse.Record) {
        error = "its view is damaged: " + parse.Error.In(language);
        return std::nullopt;
    }
    TPictureView view;
    view.DrawMode = parse.Record->DrawMode;
    view.Record = std::move(parse.Record);
    ReadPictureKeys(line, view);
    return view;
}

TPictureView ReadPictureView(const std::string& fileName, TLanguage language) {
    const std::optional<TImageText> image = ReadImageTextFile(fileName); // EImageFileError names the file
    if (!image) throw std::runtime_error(fileName + ": not a PNG or JPEG picture");
    std::string error = "it holds no view";
    for (const std::string& text : image->Texts) {
        // A JPEG file may have other comments; the view is the one that reads as a record.
        if (std::optional<TPictureView> view = ParsePictureText(text, error, language)) {
            view->Width = image->Width;
            view->Height = image->Height;
            return std::move(*view);
        }
        if (image->Type == ftPng) break;
    }
    throw std::runtime_error(fileName + ": " + error);
}

void ApplyPictureView(const TPictureView& view, TLocationTarget& target) {
    const TRecommendation& record = *view.Record;
    ApplyRecommendation(record, target);
    target.SelectDrawMode(view.DrawMode);
    if (view.DrawMode >= dmExtNormal) {
        // The record applies these only for the potential methods; extended
        // normal drawing depends on them too.
        target.SelectDrawCompo(record.DrawCompo);
        target.SelectRepresent(record.Represent);
        target.SelectEscape(record.Escape);
        target.SelectLightDark(record.LightDark);
        target.SelectCorrection(record.Correction);
        target.SelectPotentialBright(record.PotentialBright);
    }
    target.Engine().Half = view.Half;
}

} // namespace vistal

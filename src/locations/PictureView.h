// SPDX-License-Identifier: GPL-3.0-or-later
// The view a picture file remembers. Its text is the record line a VRP list
// would hold for the view (ComposeRecordLine: formula, centre, span, Julia
// constant, iterations, detail, exponent, the extended settings, colour 0,
// shade-off, brightness, and the palette name as "VCP"), followed by the keys
// a picture needs besides, which a VRP list ignores:
//
//     T=Vistal,Title=vistal-render,Cr=-0.8,Ci=0,W=3,...,BR=0,Method=2,Half=1
//
// "Method" is the drawing method in the code "DM" uses, the basic methods
// included ("DM" keeps only the potential ones); "Half" is 1 when the symmetry
// speed-up was allowed. A PNG file keeps the text under the keyword "vistal",
// a JPEG file as a comment.
#pragma once

#include "locations/URecommendation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vistal {

class TLocationTarget;

struct TPictureView {
    std::unique_ptr<TRecommendation> Record; // never null in a view read
    std::uint8_t DrawMode = dmNormal;
    bool Half = true;
    // The picture's size, when read from a file.
    int Width = 0, Height = 0;
};

// The longest title a picture keeps, in bytes; a longer one is cut at a
// character boundary, so the text always fits in a JPEG comment.
inline constexpr std::size_t kMaxPictureTitle = 200;

// The text for the engine's current view. A palette name that a record cannot
// hold (one with a comma) is left out.
TRecordLine ComposePictureText(const TVistal& engine, const std::string& title,
                               const std::string& paletteName);

// The view of a text made by ComposePictureText (its first line is read); a
// VRP record line reads too, with the method its "DM" gives. Nothing, with the
// reason in `error`, for a text that is no record or a record in error (the
// record's own message in the language given).
std::optional<TPictureView> ParsePictureText(std::string_view text, std::string& error,
                                             TLanguage language = TLanguage::Japanese);

// The view a PNG or JPEG file carries, with the picture's size. A file that
// cannot be read, is no PNG or JPEG file or carries no view raises
// std::runtime_error with the reason, naming the file.
TPictureView ReadPictureView(const std::string& fileName, TLanguage language = TLanguage::Japanese);

// Applies the view as a record of a list is applied (ApplyRecommendation),
// then the drawing method with its extended settings and the symmetry
// setting. The palette is the caller's to find (Record->Vcp); the target's
// settings decide whether ApplyRecommendation looks it up.
void ApplyPictureView(const TPictureView& view, TLocationTarget& target);

} // namespace vistal

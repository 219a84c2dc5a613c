// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures on the tool-bar buttons, drawn here at any size (16 pixels on
// the 23 × 23 buttons), so they stay sharp on every screen.
#pragma once

#include <QIcon>

namespace vistal::ui {

enum class TToolGlyph { Draw, Abort, BmpSave, VrpRead, VrpEntry, PaletteVcp, Move, Back };

QIcon ToolGlyph(TToolGlyph glyph);

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The base layer's user-visible texts, each written once in both languages.
#pragma once

#include "base/Language.h"

namespace vistal::msg {

// A file that could not be written: "%1" is its name.
inline constexpr TText kCannotWriteFile{"%1 に書き込めません", "Cannot write to %1"};
// A line of a file that cannot be read, where the report names the file and
// the line ("sunset.vcp:3: この行は読めません").
inline constexpr TText kUnreadableLine{"この行は読めません", "This line cannot be read."};

} // namespace vistal::msg

// SPDX-License-Identifier: GPL-3.0-or-later
// The previous picture while a new view draws: scaled and moved to the new
// view, so that the screen shows where the new view lies in the old one until
// rows of the new picture replace it.
#pragma once

#include "base/Bitmap.h"
#include "base/DeepPosition.h"

namespace vistal {

// Replaces `picture`, drawn at view `from`, with the part of it that view
// `to` shows, both of the picture's size: each pixel takes the old pixel
// whose area holds its centre, black where the old picture has none.
// Positions of any depth: the offset between the centres is computed with
// MPFR before it is turned into pixels.
void MoveOldPicture(TBitmap& picture, const TDeepPosition& from, const TDeepPosition& to);

} // namespace vistal

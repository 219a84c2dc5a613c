// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's pictures on screen. A TBitmap holds 0x00BBGGRR words, which lie
// in memory as the bytes R, G, B, 0: exactly QImage::Format_RGBX8888. The image
// returned here shares the bitmap's memory, so showing a picture costs no copy
// or conversion; it is valid until the bitmap is resized or destroyed.
#pragma once

#include "base/Bitmap.h"

#include <QImage>

namespace vistal::ui {

inline QImage ImageOf(const TBitmap& bitmap) {
    if (bitmap.Empty()) return QImage();
    return QImage(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  static_cast<qsizetype>(bitmap.Width()) * 4, QImage::Format_RGBX8888);
}

} // namespace vistal::ui

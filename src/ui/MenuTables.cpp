// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuTables.h"

namespace vistal::ui {

namespace {

// The value's item, or the 指定 item after the table.
template <class T, std::size_t N, class V> int ItemOrUser(const TMenuItem<T> (&items)[N], const V& value) {
    const int item = IndexOf(items, value);
    return item >= 0 ? item : UserItemOf(items);
}

// The value's item, or the first.
template <class T, std::size_t N, class V> int ItemOrFirst(const TMenuItem<T> (&items)[N], const V& value) {
    const int item = IndexOf(items, value);
    return item >= 0 ? item : 0;
}

} // namespace

int ZoomFactorItem(int factor) {
    return ItemOrUser(kZoomFactorItems, factor);
}

int PictureSizeItem(int width, int height) {
    return ItemOrUser(kPictureSizeItems, TPictureSize{width, height});
}

int IterationItem(int n) {
    return ItemOrUser(kIterationItems, n);
}

int DetailItem(int n) {
    return ItemOrUser(kDetailItems, n);
}

int PowerItem(int n) {
    return ItemOrUser(kPowerItems, n);
}

int EscapeItem(double x) {
    return ItemOrUser(kEscapeItems, x);
}

int CorrectionItem(double x) {
    return ItemOrUser(kCorrectionItems, x);
}

int RepresentItem(int n) {
    return ItemOrFirst(kRepresentItems, n);
}

int LightDarkItem(int n) {
    return ItemOrFirst(kLightDarkItems, n);
}

int DrawCompoItem(int n) {
    return IndexOf(kDrawCompoItems, n);
}

int PotentialBrightItem(int n) {
    return IndexOf(kPotentialBrightItems, n);
}

int RefreshRateItem(int rate) {
    // In milliseconds, which a rate of an int may not fit.
    return ItemOrUser(kRefreshItems, static_cast<long long>(rate) * 100);
}

} // namespace vistal::ui

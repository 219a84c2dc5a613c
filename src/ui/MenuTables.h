// SPDX-License-Identifier: GPL-3.0-or-later
// The menu value groups of the explorer, one table each: the items in menu
// order with their component names, captions and the values they stand for.
// The menus are built from these tables, the draw-setting window lists their
// values, and the item functions below find the item a value checks. Every
// group behaves as radio buttons: the items are numbered in menu order from
// 0, a group's 指定 (or other extra) items follow its table, and -1 means no
// item is checked. No Qt in it.
#pragma once

#include "engine/StartupParameters.h"
#include "ui/ExplorerView.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vistal::ui {

enum class TMenuGroup : int {
    ZoomFactor,      // the table, 指定
    PictureSize,     // the table, 指定
    Iteration,       // the table, 指定
    Detail,          // the table, 指定, 自動
    Palette,         // the table, VCP file
    Power,           // the table, 指定
    DrawMode,        // the table, 拡張描画
    ExtDrawMode,     // the table (under 拡張描画)
    DrawCompo,       // the table
    PotentialBright, // the table
    Correction,      // the table, 指定
    LightDark,       // the table
    Represent,       // the table
    Escape,          // the table, 指定
    RubberBand,      // the table
    Refresh,         // the table, 指定
};
inline constexpr int kMenuGroupCount = static_cast<int>(TMenuGroup::Refresh) + 1;

// Marks a caption the window shows in the language of the run, translated in
// the context kMenuContext; the translation tools collect the captions by it.
#define VISTAL_TRANSLATE_NOOP(context, text) text
inline constexpr char kMenuContext[] = "TMenuItem";

// One item: its component name, its caption and its value. Break puts a
// separator before it.
template <class T> struct TMenuItem {
    const char* Name;
    const char* Caption;
    T Value;
    bool Break = false;
};

// A built-in palette and the name the status bar and the location files give it.
struct TPaletteItem {
    TBuiltinPalette Palette;
    const char* PaletteName;
};

inline constexpr TMenuItem<int> kZoomFactorItems[] = {
    {"mnuOptionZoom1", "x&2", 2},
    {"mnuOptionZoom2", "x&4", 4},
    {"mnuOptionZoom3", "x&8", 8},
    {"mnuOptionZoom4", "x&16", 16},
    {"mnuOptionZoomMove", VISTAL_TRANSLATE_NOOP("TMenuItem", "移動(&M)"), 1},
};
inline constexpr TMenuItem<TPictureSize> kPictureSizeItems[] = {
    {"mnuOptionSize200x200", "&200 x 200", {200, 200}},
    {"mnuOptionSize2", "&400 x 400", {400, 400}},
    {"mnuOptionSize3", "&500 x 500", {500, 500}},
    {"mnuOptionSize700x700", "&700 x 700", {700, 700}},
    {"mnuOptionSize320x240", "&320 x 240", {320, 240}, true},
    {"mnuOptionSize4", "&640 x 480", {640, 480}},
    {"mnuOptionSize5", "&800 x 600", {800, 600}},
    {"mnuOptionSize6", "&1024 x 768", {1024, 768}},
};
inline constexpr TMenuItem<int> kIterationItems[] = {
    {"mnuOptionIteration256", "&256", 256},          {"mnuOptionIteration1024", "&1024", 1024},
    {"mnuOptionIteration4096", "&4096", 4096},       {"mnuOptionIteration32768", "&32768", 32768},
    {"mnuOptionIteration200000", "2&00000", 200000},
};
inline constexpr TMenuItem<int> kDetailItems[] = {
    {"mnuOptionDetail1", "&1", 1},
    {"mnuOptionDetail2", "&2", 2},
    {"mnuOptionDetail3", "&3", 3},
    {"mnuOptionDetail4", "&4", 4},
};
inline constexpr TMenuItem<TPaletteItem> kPaletteItems[] = {
    {"mnuOptionPaletteStandard",
     VISTAL_TRANSLATE_NOOP("TMenuItem", "標準(&S)"),
     {TBuiltinPalette::Standard, VISTAL_TRANSLATE_NOOP("TMenuItem", "標準")}},
    {"mnuOptionPaletteMono",
     VISTAL_TRANSLATE_NOOP("TMenuItem", "白黒(&M)"),
     {TBuiltinPalette::Mono, VISTAL_TRANSLATE_NOOP("TMenuItem", "白黒")}},
    {"mnuOptionPaletteBlue",
     VISTAL_TRANSLATE_NOOP("TMenuItem", "青(&B)"),
     {TBuiltinPalette::Blue, VISTAL_TRANSLATE_NOOP("TMenuItem", "青")}},
};
inline constexpr TMenuItem<int> kPowerItems[] = {
    {"mnuOptionPowerNormal", VISTAL_TRANSLATE_NOOP("TMenuItem", "標準(&2)"), 2},
    {"mnuOptionPower3", "&3", 3},
    {"mnuOptionPower4", "&4", 4},
    {"mnuOptionPower5", "&5", 5},
};
inline constexpr TMenuItem<std::uint8_t> kDrawModeItems[] = {
    {"mnuOptionModeNormal", VISTAL_TRANSLATE_NOOP("TMenuItem", "普通(&N)"), dmNormal},
    {"mnuOptionModeBlock", VISTAL_TRANSLATE_NOOP("TMenuItem", "探索(&E)"), dmSearch},
    {"mnuOptionModeBorder", VISTAL_TRANSLATE_NOOP("TMenuItem", "境界走査(&B)"), dmBorder},
    {"mnuOptionModeFadein", VISTAL_TRANSLATE_NOOP("TMenuItem", "浮き出し(&F)"), dmFadein},
    {"mnuOptionModeSAntiArea", VISTAL_TRANSLATE_NOOP("TMenuItem", "簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ(&S)"), dmSAntiArea},
};
inline constexpr TMenuItem<std::uint8_t> kExtDrawModeItems[] = {
    {"mnuOptionModeExtNormal", VISTAL_TRANSLATE_NOOP("TMenuItem", "普通(&N)"), dmExtNormal},
    {"mnuOptionModePotential", VISTAL_TRANSLATE_NOOP("TMenuItem", "ポテンシャル(&P)"), dmPotential1},
    {"mnuOptionModePotential2", VISTAL_TRANSLATE_NOOP("TMenuItem", "ポテンシャル&2"), dmPotential2},
    {"mnuOptionModePotential3", VISTAL_TRANSLATE_NOOP("TMenuItem", "ポテンシャル&3"), dmPotential3},
};
inline constexpr TMenuItem<std::uint8_t> kDrawCompoItems[] = {
    {"mnuOptionModeMixedExist", VISTAL_TRANSLATE_NOOP("TMenuItem", "あり(&E)"), 1},
    {"mnuOptionModeMixedNone", VISTAL_TRANSLATE_NOOP("TMenuItem", "なし(&N)"), 0},
};
inline constexpr TMenuItem<std::uint8_t> kPotentialBrightItems[] = {
    {"mnuOptionModeBright1", VISTAL_TRANSLATE_NOOP("TMenuItem", "明るさ&1"), 0},
    {"mnuOptionModeBright2", VISTAL_TRANSLATE_NOOP("TMenuItem", "明るさ&2"), 1},
    {"mnuOptionModeBright3", VISTAL_TRANSLATE_NOOP("TMenuItem", "明るさ&3"), 2},
    {"mnuOptionModeBright4", VISTAL_TRANSLATE_NOOP("TMenuItem", "明るさ&4"), 3},
};
inline constexpr TMenuItem<double> kCorrectionItems[] = {
    {"mnuOptionModeCorrection0", "0", 0}, {"mnuOptionModeCorrection1", "1", 1},
    {"mnuOptionModeCorrection2", "2", 2}, {"mnuOptionModeCorrection3", "3", 3},
    {"mnuOptionModeCorrection4", "4", 4}, {"mnuOptionModeCorrection5", "5", 5},
    {"mnuOptionModeCorrection6", "6", 6}, {"mnuOptionModeCorrection7", "7", 7},
    {"mnuOptionModeCorrection8", "8", 8}, {"mnuOptionModeCorrection9", "9", 9},
};
inline constexpr TMenuItem<std::uint8_t> kLightDarkItems[] = {
    {"mnuOptionModeLightDark1", VISTAL_TRANSLATE_NOOP("TMenuItem", "明暗&1"), 0},
    {"mnuOptionModeLightDark2", VISTAL_TRANSLATE_NOOP("TMenuItem", "明暗&2"), 1},
};
inline constexpr TMenuItem<std::uint8_t> kRepresentItems[] = {
    {"mnuOptionModeRepresentation1", VISTAL_TRANSLATE_NOOP("TMenuItem", "表現&1"), 0},
    {"mnuOptionModeRepresentation2", VISTAL_TRANSLATE_NOOP("TMenuItem", "表現&2"), 1},
};
inline constexpr TMenuItem<double> kEscapeItems[] = {
    {"mnuOptionModeEscape1", "&1", 1},
    {"mnuOptionModeEscape2", "&2", 2},
    {"mnuOptionModeEscape1024", "&1024", 1024},
    {"mnuOptionModeEscape8192", "&8192", 8192},
    {"mnuOptionModeEscape65536", "&65536", 65536},
};
// 0: two points, 1: centre and point.
inline constexpr TMenuItem<int> kRubberBandItems[] = {
    {"mnuOptionRubberBandTwoPoint", VISTAL_TRANSLATE_NOOP("TMenuItem", "２頂点(&T)"), 0},
    {"mnuOptionRubberBandCenterAndPoint", VISTAL_TRANSLATE_NOOP("TMenuItem", "中心と頂点(&C)"), 1},
};
// Repaint intervals, ms; なし repaints only at the end of a drawing.
inline constexpr TMenuItem<int> kRefreshItems[] = {
    {"mnuOptionRefresh1", VISTAL_TRANSLATE_NOOP("TMenuItem", "&1(多い)"), 100},
    {"mnuOptionRefresh3", "&3", 300},
    {"mnuOptionRefresh5", "&5", 500},
    {"mnuOptionRefresh7", "&7", 700},
    {"mnuOptionRefresh9", VISTAL_TRANSLATE_NOOP("TMenuItem", "&9(少ない)"), 900},
    {"mnuOptionRefreshNo", VISTAL_TRANSLATE_NOOP("TMenuItem", "なし(&N)"), 0},
};

// The items after a group's table: 自動, the VCP file, 拡張描画.
inline constexpr int kDetailAutoItem = static_cast<int>(std::size(kDetailItems)) + 1;
inline constexpr int kVcpPaletteItem = static_cast<int>(std::size(kPaletteItems));
inline constexpr int kExtendedModeItem = static_cast<int>(std::size(kDrawModeItems));

// The item after a table: its group's 指定.
template <class T, std::size_t N> constexpr int UserItemOf(const TMenuItem<T> (&)[N]) {
    return static_cast<int>(N);
}

// The item of a value in a table, or -1.
template <class T, std::size_t N, class V> int IndexOf(const TMenuItem<T> (&items)[N], const V& value) {
    for (std::size_t i = 0; i < N; ++i)
        if (items[i].Value == value) return static_cast<int>(i);
    return -1;
}

// Which item of its group a value checks: its table's item, else the 指定
// item; 表現 and 明暗 check their first item for any value but 1, 合成 and
// 明るさ取得 none for a value outside their tables.
int ZoomFactorItem(int factor);
int PictureSizeItem(int width, int height);
int IterationItem(int n);
int DetailItem(int n);
int PowerItem(int n);
int EscapeItem(double x);
int CorrectionItem(double x);
int RepresentItem(int n);
int LightDarkItem(int n);
int DrawCompoItem(int n);
int PotentialBrightItem(int n);
int RefreshRateItem(int rate); // a start-up refresh rate (× 100 ms)

} // namespace vistal::ui

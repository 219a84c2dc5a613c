// SPDX-License-Identifier: GPL-3.0-or-later
// The location layer's user-visible texts, each written once in both
// languages: what stops a recommendation list from loading, why a record
// cannot be registered, and what went wrong with a scenic-spot file.
#pragma once

#include "base/Language.h"

namespace vistal::msg {

// A record line in error (the load stops there).
inline constexpr TText kNoTitle{"タイトル(Title)がありません。", "The title (Title) is missing."};
inline constexpr TText kNoCenterIm{"中心の虚部の値(Ci)がありません。",
                                   "The imaginary part of the centre (Ci) is missing."};
inline constexpr TText kNoCenterRe{"中心の実部の値(Cr)がありません。",
                                   "The real part of the centre (Cr) is missing."};
inline constexpr TText kNoSpan{"幅の値(W)がありません。", "The span (W) is missing."};
inline constexpr TText kSpanNotPositive{"幅の値(W)は０より大きくなくてはいけません。",
                                        "The span (W) must be greater than 0."};
inline constexpr TText kNoJuliaIm{"じゅりあ定数の虚部の値(Ji)がありません。",
                                  "The imaginary part of the Julia constant (Ji) is missing."};
inline constexpr TText kNoJuliaRe{"じゅりあ定数の実部の値(Jr)がありません。",
                                  "The real part of the Julia constant (Jr) is missing."};
inline constexpr TText kIterationBelow1{"繰り返しの値(I)は０より大きくなくてはいけません。",
                                        "The iteration limit (I) must be greater than 0."};
inline constexpr TText kDetailBelow1{"分解能の値(D)は０より大きくなくてはいけません。",
                                     "The detail (D) must be greater than 0."};
inline constexpr TText kPowBelow2{"巾乗の値(POW)は２以上でなくてはいけません。",
                                  "The exponent (POW) must be 2 or more."};
// A line that is not well formed: "%1" is the pair (key=value) or key, "%2"
// the value, each cut at 40 bytes.
inline constexpr TText kNoItemAfterComma{"「,」の後に項目がありません。", "There is no item after a comma."};
inline constexpr TText kItemWithoutEquals{"項目「%1」に = がありません。", "The item \"%1\" has no \"=\"."};
inline constexpr TText kItemWithoutName{"項目「%1」に名前がありません。", "The item \"%1\" has no name."};
inline constexpr TText kValueNotNumber{"%1 の値「%2」は数値ではありません。",
                                       "The value \"%2\" of %1 is not a number."};
inline constexpr TText kValueNotInteger{
    "%1 の値「%2」は-2147483648～2147483647 の整数ではありません。",
    "The value \"%2\" of %1 is not a whole number from -2147483648 to 2147483647."};
inline constexpr TText kValueNotBoolean{"%1 の値「%2」は数値でも True/False でもありません。",
                                        "The value \"%2\" of %1 is neither a number nor True or False."};
// The report of a list that did not load: "%1" is the file's name, "%2" the line.
inline constexpr TText kListNotFound{"%1\r\nが見つかりません。", "%1\r\nwas not found."};
inline constexpr TText kListStoppedAtLine{"%1\r\n%2 行目にｴﾗｰがあったので読み込みを中止しました。\r\n",
                                          "%1\r\nLoading stopped at an error in line %2.\r\n"};

// Registering a record.
inline constexpr TText kNoListFile{"保存先のVRPﾌｧｲﾙを指定して下さい", "Please name the VRP file to save to."};
inline constexpr TText kListReadOnly{"指定してあるVRPﾌｧｲﾙが読み込み専用です",
                                     "The VRP file named is read-only."};
inline constexpr TText kAfterEndOfFile{
    "\r\n(ﾌｧｲﾙの終わりを示す文字 0x1A の後には登録できません)",
    "\r\n(Nothing can be registered after the end-of-file character 0x1A.)"};
inline constexpr TText kNoRecordTitle{"ﾀｲﾄﾙを指定して下さい", "Please enter a title."};
inline constexpr TText kCommaInTitle{"ﾀｲﾄﾙに , を含むことはできません", "The title cannot contain a comma."};
inline constexpr TText kCommaInVcp{"VCPに , を含むことはできません", "The VCP name cannot contain a comma."};
inline constexpr TText kCommaInMemo{"メモに , を含むことはできません", "The memo cannot contain a comma."};

// A scenic-spot file: what went wrong, then the item ("%1" the kind, "%2" the
// section, "%3" the item).
inline constexpr TText kFssItem{"%1Section=[%2] Item=[%3]", "%1 Section=[%2] Item=[%3]"};
inline constexpr TText kFssInvalid{"形式不正です。", "Invalid value."};
inline constexpr TText kFssRequired{"値が設定されていません。", "No value is set."};
inline constexpr TText kFssOutOfMemory{"メモリが足りません。", "Out of memory."};
inline constexpr TText kFssNotAllowed{"[%1]は指定できません。", "[%1] is not allowed."};

} // namespace vistal::msg

// SPDX-License-Identifier: GPL-3.0-or-later
// The rows that describe a location in the recommendation dialogs: its
// formula and exponent, centre, height and, for Julia sets, the constant. The
// list dialog shows a record in them, the entry dialog the main view.
#pragma once

#include "engine/ViewPlace.h"

#include <QCoreApplication>
#include <QList>

class QGridLayout;
class QLabel;
class QWidget;

namespace vistal::ui {

class TLocationDetails {
    Q_DECLARE_TR_FUNCTIONS(TLocationDetails)

public:
    QLabel* lblType = nullptr;
    QLabel* lblPower = nullptr;
    QLabel* lblCenterReal = nullptr;
    QLabel* lblCenterImag = nullptr;
    QLabel* lblWidth = nullptr;
    QLabel* lblJuliaConst = nullptr;  // the row's caption
    QLabel* lblJuliaConst1 = nullptr; // "("
    QLabel* lblJuliaConst2 = nullptr; // ","
    QLabel* lblJuliaConst3 = nullptr; // ")"
    QLabel* lblJuliaConstReal = nullptr;
    QLabel* lblJuliaConstImag = nullptr;

    // Puts the rows "T y p e", "中  心", "幅 (虚)" and "じゅりあ定数" into the
    // grid from row on, captions in column 0 and values in column 1; returns
    // the next free row.
    int BuildDetails(QWidget* parent, QGridLayout* grid, int row);
    // Empties every value and greys the Julia row: no location is shown.
    void ClearDetails();
    // Shows a location: "びすたる", "じゅりあ" or "Error" as its type, the
    // reals in the "%g" format (a deep centre with the digits a picture of
    // `height` pixels needs, cut to kShownDigits characters). The Julia row
    // is enabled only for Julia sets.
    void ShowDetails(const TViewPlace& place, int height);
    static constexpr int kShownDigits = 24;

private:
    void EnableJuliaRow(bool enabled);
};

} // namespace vistal::ui

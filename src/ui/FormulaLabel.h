// SPDX-License-Identifier: GPL-3.0-or-later
// The name under which the interface shows a formula: "びすたる" for the
// Mandelbrot set, "じゅりあ" for Julia sets, nothing for anything else. The
// window's title and the position dialog's caption use it.
#pragma once

#include "base/UType.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>

namespace vistal::ui {

inline QString FormulaLabel(std::uint8_t formula) {
    switch (formula) {
    case fmMandelbrot:
        return QCoreApplication::translate("vistal::ui::FormulaLabel", "びすたる");
    case fmJulia:
        return QCoreApplication::translate("vistal::ui::FormulaLabel", "じゅりあ");
    default:
        return QString();
    }
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon, compiled into the program in every size it is installed in.
#pragma once

#include <QIcon>

namespace vistal::ui {

// The icon with its 16 to 256 pixel pictures (":/icons/<n>x<n>/apps/vistal.png").
QIcon AppIcon();

} // namespace vistal::ui

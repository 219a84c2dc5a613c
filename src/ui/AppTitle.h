// SPDX-License-Identifier: GPL-3.0-or-later
// The application's title: what the window's caption shows ("びすたる", or
// "* びすたる" while a drawing runs), and the caption of the message boxes and
// of the input dialogs that have none of their own. It is kept here rather than
// as Qt's application display name, which the window system would append to the
// caption of every other window ("びすたる座標 — びすたる").
#pragma once

#include <QString>

namespace vistal::ui {

// The title last set; the application's name until one is set.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

} // namespace vistal::ui

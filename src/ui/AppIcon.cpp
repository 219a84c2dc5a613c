// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppIcon.h"

namespace vistal::ui {

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/vistal.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppTitle.h"

#include <QCoreApplication>

namespace vistal::ui {

namespace {
QString& Title() {
    static QString title;
    return title;
}
} // namespace

QString ApplicationTitle() {
    const QString& title = Title();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void SetApplicationTitle(const QString& title) {
    Title() = title;
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on a window: only the first local file of a drop counts.
#pragma once

#include <QMimeData>
#include <QString>
#include <QUrl>

namespace vistal::ui {

// The first local file of a drop, or an empty text when it holds none.
inline QString FirstDroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return QString();
}

} // namespace vistal::ui

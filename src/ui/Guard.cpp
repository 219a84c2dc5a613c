// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Guard.h"

#include <QCoreApplication>
#include <exception>
#include <new>

namespace vistal::ui {

void ReportCurrentException(TPrompt& prompt) noexcept {
    QString text;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        text = QCoreApplication::translate("vistal::ui::Guard", "メモリが足りません");
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QCoreApplication::translate("vistal::ui::Guard", "不明なｴﾗｰです");
    }
    try {
        prompt.ShowError(text);
    } catch (...) {
        // The error box itself failed; there is nobody left to tell.
    }
}

} // namespace vistal::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The one door through which every event handler of the explorer runs: no
// exception may cross a Qt frame. The silent abort (EAbort) ends a command
// without a word; any other error is shown in the error box with its message.
#pragma once

#include "ui/Prompt.h"

#include <utility>

namespace vistal::ui {

// Shows the error that is being handled (called from inside a catch block).
void ReportCurrentException(TPrompt& prompt) noexcept;

template <class F> void Guarded(TPrompt& prompt, F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (const EAbort&) {
        // A cancelled command or an aborted drawing: nothing to say.
    } catch (...) {
        ReportCurrentException(prompt);
    }
}

} // namespace vistal::ui

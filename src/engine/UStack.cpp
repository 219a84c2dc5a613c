// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UStack.h"

#include <stdexcept>

namespace vistal {

void TStack::Push(std::unique_ptr<TPosition> item) {
    if (!item) throw std::invalid_argument("TStack::Push: no position");
    items_.push_back(std::move(item));
}

std::unique_ptr<TPosition> TStack::Pop() {
    if (!HasItems()) throw EAbort();
    std::unique_ptr<TPosition> top = std::move(items_.back());
    items_.pop_back();
    return top;
}

TPosition& TStack::Peek() const {
    if (!HasItems()) throw EAbort();
    return *items_.back();
}

} // namespace vistal

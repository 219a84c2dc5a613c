// SPDX-License-Identifier: GPL-3.0-or-later
// TStack: the history of earlier views. It owns the positions pushed onto it;
// Pop hands the top one back to the caller.
#pragma once

#include "engine/UPosition.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace vistal {

class TStack {
public:
    TStack() = default;
    TStack(const TStack&) = delete;
    TStack& operator=(const TStack&) = delete;

    // Appends the position; the stack owns it from now on. A null pointer is
    // refused with std::invalid_argument.
    void Push(std::unique_ptr<TPosition> item);
    // True only from two entries on: the bottom entry is never popped.
    bool HasItems() const { return items_.size() > 1; }
    // Removes the top entry and returns it; silent abort unless HasItems.
    std::unique_ptr<TPosition> Pop();
    // The top entry, which stays on the stack; silent abort unless HasItems.
    TPosition& Peek() const;
    std::size_t Count() const { return items_.size(); }

private:
    std::vector<std::unique_ptr<TPosition>> items_;
};

} // namespace vistal

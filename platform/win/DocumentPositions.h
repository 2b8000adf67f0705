#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/POSITION.h"

// POSITION walks over the framework's vectors of documents, views and templates: the position
// of index i is i + 1, and null past the end.
inline POSITION PositionOf(std::size_t index, std::size_t size) {
    return index < size ? reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index + 1)) : nullptr;
}

template <typename T>
T* NextAt(const std::vector<T*>& items, POSITION& position) {
    const auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > items.size()) {
        position = nullptr;
        return nullptr;
    }
    position = PositionOf(index, items.size());
    return items[index - 1];
}

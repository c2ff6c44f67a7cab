// The checker's own small helpers on a level's letters, shared by its parts.
#pragma once

#include <cstddef>

#include "levelcheck/LevelCheck.h"

namespace LevelCheck::detail {

inline bool IsShaft(char kind) {
    return kind == 'e' || kind == 'n';
}

inline char At(const Level& level, int row, int column) {
    return level[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

inline bool Inside(int row, int column) {
    return row >= 1 && row <= BottomRow && column >= 1 && column <= 16;
}

}  // namespace LevelCheck::detail

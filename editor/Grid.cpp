// The letters of a level being edited: a fresh level, and what may go where.
#include <cstring>

#include "editor/LevelEditor.h"

namespace LevelEditor {

Level NewLevel() {
    Level level;
    for (std::size_t row = 1; row <= KerboImplementation::Rows; ++row) {
        for (std::size_t column = 1; column <= KerboImplementation::Columns; ++column) {
            const bool side = column == 1 || column == KerboImplementation::Columns;
            char letter = row == LastRow || side ? 'w' : 'p';
            if (row < FirstRow) letter = 'c';
            level[row][column] = letter;
        }
    }
    return level;
}

bool SameLetters(const Level& a, const Level& b) {
    return std::memcmp(&a, &b, sizeof(Level)) == 0;
}

int ShockDoors(const Level& level) {
    int count = 0;
    for (const auto& row : level) {
        for (const char letter : row) count += LevelCheck::IsShockDoor(letter) ? 1 : 0;
    }
    return count;
}

std::string CanPaint(const Level& level, Cell cell, char letter) {
    if (cell.row < FirstRow || cell.row > LastRow || cell.column < 1 ||
        cell.column > static_cast<int>(KerboImplementation::Columns)) {
        return "rows 1 and 2 stay ceiling";
    }
    const char now = level[cell.row][cell.column];
    // The game has one shock wave for each shock door, and no more.
    if (LevelCheck::IsShockDoor(letter) && !LevelCheck::IsShockDoor(now) &&
        ShockDoors(level) >= LevelCheck::MostShockDoors) {
        return "a level holds at most " + std::to_string(LevelCheck::MostShockDoors) + " shock doors";
    }
    return {};
}

}  // namespace LevelEditor

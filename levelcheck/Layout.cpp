// The layout rules of a level: what every cell needs around it so that Oska
// and the cats always have a rule for the cell they are in; see LevelCheck.h.
#include <string>

#include "levelcheck/Cells.h"
#include "levelcheck/LevelCheck.h"

namespace LevelCheck {

using detail::At;
using detail::Inside;
using detail::IsShaft;

std::vector<Fault> StructureFaults(const Level& level) {
    std::vector<Fault> faults;
    int shockDoors = 0;
    for (int row = FirstStorey; row <= BottomRow; ++row) {
        for (int column = 1; column <= 16; ++column) {
            const char kind = At(level, row, column);
            const char above = At(level, row - 1, column);
            const char below = row < BottomRow ? At(level, row + 1, column) : 'c';
            auto fault = [&](const std::string& what) { faults.push_back({{row, column}, what}); };

            if (kind == 'c') fault("a ceiling cell below row 2: nobody has a rule for it");
            if (row <= LastStorey && (column == 1 || column == 16) && kind != 'w')
                fault("the storey must end in a wall at both sides");
            if (row == BottomRow && kind != 'w' && kind != 't')
                fault("row 10 is the bottom: only walls, and trampolines under shafts, belong there");

            if (kind == 'e') {
                if (!IsShaft(above)) fault("a shaft with no shaft or top-of-shaft above it");
                if (below != 'e' && below != 't') fault("a shaft that does not end on a trampoline");
            }
            if (kind == 'n' && below != 'e') fault("a top-of-shaft with no shaft below it");
            if (kind == 't') {
                if (above != 'e') fault("a trampoline with no shaft above it");
                if (row < CatFirstRow)
                    fault("a trampoline above row 4: a cat bouncing on it aims above row 3");
                if (row < BottomRow && !IsStorey(below))
                    fault(
                        "a trampoline needs a floor below: whoever walks into it or breaks it falls through");
            }
            auto floorAt = [&](int c) {
                return Inside(row, c) && (At(level, row, c) == 'p' || At(level, row, c) == 'i');
            };
            if (IsDoor(kind) && !(floorAt(column - 1) && floorAt(column + 1)))
                fault(
                    "a door needs a passage or item on both sides: opening it pushes Oska into the next "
                    "cell");
            if (IsShockDoor(kind)) ++shockDoors;

            // Cats appear anywhere in their area. One set down on a wall's
            // centre line would never move again; one set down in the top
            // 12 pixels of a trampoline, below its very top, bounces there
            // for ever (up 0.4 pixel, back down in the same cell).
            const bool catArea = row >= CatFirstRow && row <= CatLastRow && column >= CatFirstColumn &&
                                 column <= CatLastColumn;
            if (kind == 'w' && catArea)
                fault("a wall where cats appear: a cat placed on its centre line never moves again");
            if (kind == 't' && catArea)
                fault(
                    "a trampoline where cats appear: a cat placed in its top 12 pixels bounces in place for "
                    "ever");

            // A cat that walks or steps off a shaft into a wall is thrown
            // 75 pixels back, over the cell it came from: it must land on
            // something it can walk, fall or ride in.
            if (kind == 'w' && row <= LastStorey) {
                for (const int side : {-1, 1}) {
                    if (!Inside(row, column + side) || At(level, row, column + side) == 'w') continue;
                    const int landing = column + 2 * side;
                    if (!Inside(row, landing) || At(level, row, landing) == 'w' ||
                        At(level, row, landing) == 'c')
                        fault("a cat entering this wall from the " +
                              std::string(side < 0 ? "left" : "right") + " is thrown onto column " +
                              std::to_string(landing) + ", which is no place to walk");
                }
            }
        }
    }
    if (At(level, StartRow, StartColumn) != 'p')
        faults.push_back({{StartRow, StartColumn}, "Oska starts here: it must be a passage"});
    if (shockDoors > MostShockDoors)
        faults.push_back({{},
                          "the level has " + std::to_string(shockDoors) + " shock doors; at most " +
                              std::to_string(MostShockDoors) + " fit"});
    return faults;
}

}  // namespace LevelCheck

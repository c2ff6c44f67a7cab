// The level checker's model of Oska's moves: which cells he can reach from
// where, and the layout rules a level must keep; see LevelModel.h.
#include "tests/levels/LevelModel.h"

#include <deque>
#include <sstream>

namespace LevelCheck {

namespace {

bool IsShaft(char kind) {
    return kind == 'e' || kind == 'n';
}

char At(const Level& level, int row, int column) {
    return level[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool Inside(int row, int column) {
    return row >= 1 && row <= BottomRow && column >= 1 && column <= 16;
}

std::string Fault(int row, int column, const std::string& what) {
    return Where({row, column}) + ": " + what;
}

}  // namespace

std::string Where(Cell cell) {
    std::ostringstream out;
    out << "row " << cell.row << ", column " << cell.column;
    return out.str();
}

bool IsDoor(char kind) {
    return kind == 'd' || kind == 'D' || kind == 's' || kind == 'S';
}
bool IsShockDoor(char kind) {
    return kind == 's' || kind == 'S';
}
bool IsStorey(char kind) {
    return kind == 'p' || kind == 'i' || IsDoor(kind);
}

std::vector<std::string> StructureFaults(const Level& level) {
    std::vector<std::string> faults;
    int shockDoors = 0;
    for (int row = FirstStorey; row <= BottomRow; ++row) {
        for (int column = 1; column <= 16; ++column) {
            const char kind = At(level, row, column);
            const char above = At(level, row - 1, column);
            const char below = row < BottomRow ? At(level, row + 1, column) : 'c';
            auto fault = [&](const std::string& what) { faults.push_back(Fault(row, column, what)); };

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
        faults.push_back(Fault(StartRow, StartColumn, "Oska starts here: it must be a passage"));
    if (shockDoors > static_cast<int>(KerboImplementation::MaxWaves))
        faults.push_back("the level has " + std::to_string(shockDoors) + " shock doors; at most 25 fit");
    return faults;
}

std::vector<Move> Drop(const Level& level, int row, int column) {
    for (int r = row; r <= BottomRow; ++r) {
        const char kind = At(level, r, column);
        if (kind == 't') return Bounce(level, r, column);
        if (r == BottomRow) return {};  // lost in the bottom row
        if (IsStorey(kind)) return {{{r, column}, false, 0}};
        if (!IsShaft(kind)) return {};  // stuck in a wall
    }
    return {};
}

std::vector<Move> Bounce(const Level& level, int row, int column) {
    std::vector<Move> moves;
    for (int r = row - 1; r >= FirstStorey; --r) {
        const char kind = At(level, r, column);
        if (!IsShaft(kind)) break;
        for (const int side : {-1, 1}) {
            const int c = column + side;
            if (Inside(r, c) && IsStorey(At(level, r, c))) moves.push_back({{r, c}, true, 0});
        }
        if (kind == 'n') break;  // he turns back down in the middle of the top cell
    }
    return moves;
}

std::vector<Move> MovesFrom(const Level& level, Cell from) {
    std::vector<Move> moves;
    for (const int side : {-1, 1}) {
        const int c = from.column + side;
        if (!Inside(from.row, c)) continue;
        const char kind = At(level, from.row, c);
        if (IsStorey(kind)) {
            moves.push_back({{from.row, c}, false, 0});
        } else if (IsShaft(kind) || kind == 't') {
            // Centred on the column at walking height: he drops from there,
            // through a trampoline too (he is below its springy top).
            for (Move m : Drop(level, from.row + 1, c)) {
                m.via = c;
                moves.push_back(m);
            }
        }
    }
    return moves;
}

Distances RidesFrom(const Level& level, Cell from) {
    Distances rides(BottomRow + 1, std::vector<int>(17, -1));
    std::deque<Cell> queue{from};
    rides[from.row][from.column] = 0;
    while (!queue.empty()) {
        const Cell at = queue.front();
        queue.pop_front();
        for (const Move& m : MovesFrom(level, at)) {
            const int cost = rides[at.row][at.column] + (m.ride ? 1 : 0);
            int& known = rides[m.to.row][m.to.column];
            if (known != -1 && known <= cost) continue;
            known = cost;
            if (m.ride)
                queue.push_back(m.to);
            else
                queue.push_front(m.to);
        }
    }
    return rides;
}

Report CheckReach(const Level& level) {
    Report report;
    const Cell start{StartRow, StartColumn};
    const Distances rides = RidesFrom(level, start);
    for (int row = FirstStorey; row <= BottomRow; ++row) {
        for (int column = 1; column <= 16; ++column) {
            const char kind = At(level, row, column);
            if (kind == 'n') ++report.shafts;
            if (kind == 'd' || kind == 'D') ++report.doors;
            if (IsShockDoor(kind)) ++report.shockDoors;
            if (kind != 'i') continue;
            ++report.items;
            const int r = rides[row][column];
            if (r < 0)
                report.faults.push_back(Where({row, column}) + ": an item Oska cannot reach from his start");
            else if (r > report.mostRides)
                report.mostRides = r;
        }
    }
    if (!IsStorey(At(level, start.row, start.column))) return report;
    for (int row = FirstStorey; row <= LastStorey; ++row) {
        for (int column = 1; column <= 16; ++column) {
            if (rides[row][column] < 0) continue;
            if (RidesFrom(level, {row, column})[start.row][start.column] < 0)
                report.faults.push_back(Where({row, column}) +
                                        ": Oska can get here but never back to his start: he would be stuck");
        }
    }
    return report;
}

}  // namespace LevelCheck

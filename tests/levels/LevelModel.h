// A small model of a level for the level checker: the rules a level's layout
// must keep so that Oska and the cats always have a rule for the cell they
// are in, and a graph of Oska's moves from which the cells he can reach
// follow.
//
// The move graph works on whole cells. Oska stands on storey cells
// (passage, item, door) of rows 3 to 9 and gets from one to another by
//   - walking sideways to a neighbouring storey cell (doors he opens
//     himself, from either side; walls turn him back);
//   - walking sideways into a shaft, top-of-shaft or trampoline cell: he is
//     centred on its column and drops (through a trampoline he entered from
//     the side, without bouncing);
//   - dropping down a column: onto a trampoline he bounces, out of the foot
//     of a shaft onto a storey cell he lands, into row 10 he is lost, onto
//     a wall he is stuck (neither of the last two is a move);
//   - after a bounce at a trampoline in row R: rising through the shaft
//     cells above it up to the top cell and stepping off sideways, in any
//     row from the top cell's to R - 1, onto a storey cell beside the shaft.
//     A step-off into a wall sends him back into the shaft: no move.
// Every move of the graph ends on a floor, so no run of bounces ever comes
// near the fourth landing that breaks a trampoline. Moves the graph leaves
// out (stepping off into a neighbouring shaft, breaking a trampoline on
// purpose) only make it stricter: what it reaches, he reaches.
#pragma once

#include <string>
#include <vector>

#include "game/KerboImplementation.h"

namespace LevelCheck {

using KerboImplementation::Level;

constexpr int FirstStorey = 3;
constexpr int LastStorey = 9;
constexpr int BottomRow = 10;
constexpr int StartRow = 9;
constexpr int StartColumn = 10;

// Cats appear at x 151..650, y 151..350: these cells.
constexpr int CatFirstRow = 4, CatLastRow = 8;
constexpr int CatFirstColumn = 4, CatLastColumn = 14;

struct Cell {
    int row = 0;
    int column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
    friend auto operator<=>(const Cell&, const Cell&) = default;
};

bool IsStorey(char kind);  // passage, item or door: a cell one walks in
bool IsDoor(char kind);
bool IsShockDoor(char kind);

// Every broken rule of the layout, one line each: "row R, column C: what".
std::vector<std::string> StructureFaults(const Level& level);

// One move of the graph: where it ends, whether it took a trampoline ride,
// and the column of the shaft or trampoline he walked into (0: a plain walk).
struct Move {
    Cell to;
    bool ride = false;
    int via = 0;
};

std::vector<Move> MovesFrom(const Level& level, Cell from);
// Where a body falling down `column` ends up when it enters `row` from above.
std::vector<Move> Drop(const Level& level, int row, int column);
// The step-offs after a bounce on the trampoline at (row, column).
std::vector<Move> Bounce(const Level& level, int row, int column);

// Rides needed to reach each storey cell from `from` (walking is free);
// -1 where the cell cannot be reached. Indexed [row][column].
using Distances = std::vector<std::vector<int>>;
Distances RidesFrom(const Level& level, Cell from);

// A level's figures and the faults of its reachability.
struct Report {
    int items = 0;
    int doors = 0;  // plain doors
    int shockDoors = 0;
    int shafts = 0;     // top-of-shaft cells
    int mostRides = 0;  // rides on the shortest way to the farthest item
    std::vector<std::string> faults;
};

// Every item reachable from the start, and no cell he can reach from which
// he cannot get back to the start (he could never be stuck for good).
Report CheckReach(const Level& level);

// "row R, column C" for messages.
std::string Where(Cell cell);

}  // namespace LevelCheck

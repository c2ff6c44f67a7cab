// LevelCheck: the level checker. It judges a level's layout by the rules that
// keep Oska and the cats always under a rule of the cell they are in, and
// follows a graph of Oska's moves to find which cells he can reach. The game
// (kerbo --check-levels), the level editor, the tests and the recordings'
// maker all use it. It knows levels only as letters: no window, no SDL.
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

#include <functional>
#include <string>
#include <vector>

#include "game/rules/Array1.h"

namespace LevelCheck {

// A level as its letters, [row][column] from 1: the game's own level type.
using Level = KerboImplementation::Array1<KerboImplementation::Array1<char, 16>, 10>;

constexpr int FirstStorey = 3;
constexpr int LastStorey = 9;
constexpr int BottomRow = 10;
constexpr int StartRow = 9;
constexpr int StartColumn = 10;
constexpr int MostShockDoors = 25;  // one shock wave each; the game has room for 25

// Cats appear at x 151..650, y 151..350: these cells.
constexpr int CatFirstRow = 4, CatLastRow = 8;
constexpr int CatFirstColumn = 4, CatLastColumn = 14;

struct Cell {
    int row = 0;
    int column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
    friend auto operator<=>(const Cell&, const Cell&) = default;
};

// A broken rule: the cell it is found at ({0, 0} for the level as a whole)
// and what is wrong, in words.
struct Fault {
    Cell cell;
    std::string what;
    // "row R, column C: what", or just what for the whole level.
    std::string Text() const;
};

bool IsStorey(char kind);  // passage, item or door: a cell one walks in
bool IsDoor(char kind);
bool IsShockDoor(char kind);

// Every broken rule of the layout.
std::vector<Fault> StructureFaults(const Level& level);

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

// The fewest moves from `from` to another cell that `goal` accepts; empty
// when there is none.
std::vector<Move> PathTo(const Level& level, Cell from, const std::function<bool(Cell)>& goal);

// A level's figures and the faults of its reachability.
struct Report {
    int items = 0;
    int doors = 0;  // plain doors
    int shockDoors = 0;
    int shafts = 0;     // top-of-shaft cells
    int mostRides = 0;  // rides on the shortest way to the farthest item
    std::vector<Fault> faults;
};

// Every item reachable from the start, and no cell he can reach from which
// he cannot get back to the start (he could never be stuck for good).
Report CheckReach(const Level& level);

// The whole verdict on a level: its figures, and the faults of its layout
// and of its reachability, layout first; a level without items is a fault
// too (it would be cleared the moment it starts).
Report Check(const Level& level);

// The verdict in one line: "ok, 8 items, 2 doors, 1 shock door, farthest
// item 3 rides away", or the faults, each with its cell, separated by "; ".
std::string Summary(const Report& report);

// "row R, column C" for messages.
std::string Where(Cell cell);

}  // namespace LevelCheck

// The checker's model of Oska's moves: which cells he can reach from where,
// the shortest ways there, and the reach faults; see LevelCheck.h.
#include <deque>
#include <map>
#include <sstream>

#include "levelcheck/Cells.h"
#include "levelcheck/LevelCheck.h"

namespace LevelCheck {

using detail::At;
using detail::Inside;
using detail::IsShaft;

std::string Where(Cell cell) {
    std::ostringstream out;
    out << "row " << cell.row << ", column " << cell.column;
    return out.str();
}

std::string Fault::Text() const {
    return cell.row == 0 ? what : Where(cell) + ": " + what;
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

std::vector<Move> PathTo(const Level& level, Cell from, const std::function<bool(Cell)>& goal) {
    std::map<Cell, std::pair<Cell, Move>> cameFrom;
    std::vector<Cell> queue{from};
    cameFrom[from] = {from, {}};
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const Cell at = queue[k];
        if (goal(at) && !(at == from)) {
            std::vector<Move> path;
            for (Cell c = at; !(c == from); c = cameFrom[c].first)
                path.insert(path.begin(), cameFrom[c].second);
            return path;
        }
        for (const Move& m : MovesFrom(level, at)) {
            if (cameFrom.count(m.to) != 0) continue;
            cameFrom[m.to] = {at, m};
            queue.push_back(m.to);
        }
    }
    return {};
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
                report.faults.push_back({{row, column}, "an item Oska cannot reach from his start"});
            else if (r > report.mostRides)
                report.mostRides = r;
        }
    }
    if (!IsStorey(At(level, start.row, start.column))) return report;
    for (int row = FirstStorey; row <= LastStorey; ++row) {
        for (int column = 1; column <= 16; ++column) {
            if (rides[row][column] < 0) continue;
            if (RidesFrom(level, {row, column})[start.row][start.column] < 0)
                report.faults.push_back(
                    {{row, column}, "Oska can get here but never back to his start: he would be stuck"});
        }
    }
    return report;
}

}  // namespace LevelCheck

// Every shipped level played to the end by Oska's own movement rules, frame
// by frame, with the cats out of play: a pilot holds the arrows and X along the
// moves of the level model, from item to item, and after every move checks
// that Oska stands where the model said he would. So the model and the game
// agree, and each level can really be cleared.
#include <cstdlib>
#include <iostream>
#include <map>

#include "tests/game/Fixture.h"
#include "tests/levels/LevelModel.h"

using namespace KerboImplementation;
using namespace Fixture;
using LevelCheck::Cell;
using LevelCheck::Move;

namespace {

constexpr float LossLine = 485.0f;

Storeys ShippedStoreys(int number) {
    const char* dir = std::getenv("KERBO_SOURCE_DIR");
    const std::string root = dir != nullptr && *dir != '\0' ? dir : KERBO_DEFAULT_SOURCE_DIR;
    const std::string path = root + "/levels/level" + std::to_string(number) + ".txt";
    Level level;
    const std::string error = ReadLevelFile(path, level);
    EXPECT_EQ(error, "");
    Storeys storeys;
    for (std::size_t row = 3; row <= 10; ++row) {
        for (std::size_t column = 1; column <= 16; ++column) storeys[row - 3].push_back(level[row][column]);
    }
    return storeys;
}

// The house as it stands now, as letters: collected items are passages.
Level HouseLetters() {
    static const char letters[] = "pwendDsStci";
    Level level;
    for (std::size_t row = 1; row <= 10; ++row) {
        for (std::size_t column = 1; column <= 16; ++column) {
            level[row][column] = letters[static_cast<int>(House[row][column].Initial)];
        }
    }
    return level;
}

Cell OskasCell() { return {static_cast<int>(WhereAmI(Man.y)), static_cast<int>(WhereAmI(Man.x))}; }

std::string Describe(Cell c) { return LevelCheck::Where(c); }

// The fewest moves from `from` to the nearest item; empty when there is none.
std::vector<Move> PathToAnItem(const Level& level, Cell from) {
    std::map<Cell, std::pair<Cell, Move>> cameFrom;
    std::vector<Cell> queue{from};
    cameFrom[from] = {from, {}};
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const Cell at = queue[k];
        if (level[at.row][at.column] == 'i') {
            std::vector<Move> path;
            for (Cell c = at; !(c == from); c = cameFrom[c].first) path.insert(path.begin(), cameFrom[c].second);
            return path;
        }
        for (const Move& m : LevelCheck::MovesFrom(level, at)) {
            if (cameFrom.count(m.to) != 0) continue;
            cameFrom[m.to] = {at, m};
            queue.push_back(m.to);
        }
    }
    return {};
}

class Pilot {
public:
    int frames = 0;

    // Walks into the neighbouring cell `to`, opening closed doors on the way.
    void Walk(Cell to) {
        const uint32_t arrow = to.column > OskasCell().column ? RightArrow : LeftArrow;
        for (int k = 0; k < 3000 && !Failed(); ++k) {
            if (Man.Controlable && OskasCell() == to) break;
            if (Man.Controlable && InClosedDoor()) {
                Tap(KeyX);
                continue;
            }
            Hold(arrow);
            Frame();
        }
        Let();
    }

    // Walks into the shaft or trampoline in column `via` and rides it to `to`.
    void Ride(const Move& move) {
        const uint32_t towards = move.via > OskasCell().column ? RightArrow : LeftArrow;
        const int row = OskasCell().row;
        for (int k = 0; k < 3000 && !Failed(); ++k) {
            if (!Man.Controlable || OskasCell().column == move.via) break;
            Hold(towards);
            Frame();
        }
        Let();
        if (move.ride) {
            // Down, the bounce, and up to the row of the step-off.
            const uint32_t off = move.to.column > move.via ? RightArrow : LeftArrow;
            int k = 0;
            for (; k < 20000 && !Failed(); ++k) {
                if (Man.Controlable && !Man.HaveToFall && OskasCell() == Cell{move.to.row, move.via}) break;
                Frame();
            }
            ASSERT_LT(k, 20000) << "he never rose through " << Describe({move.to.row, move.via})
                                << " after dropping from row " << row;
            Tap(off);
        }
        for (int k = 0; k < 20000 && !Failed(); ++k) {
            if (Man.Controlable && LevelCheck::IsStorey(LetterHere())) break;
            Frame();
        }
    }

    // One frame without keys: the rule of the cell he has arrived in takes
    // hold (an item is collected).
    void Settle() { Frame(); }

    bool Failed() const { return Man.y >= LossLine; }

private:
    void Frame() {
        PlayerMovement();
        ++frames;
    }
    void Tap(uint32_t key) {
        Hold(key);
        Frame();
        Release(key);
    }
    void Let() {
        Release(LeftArrow);
        Release(RightArrow);
    }
    static char LetterHere() {
        static const char letters[] = "pwendDsStci";
        return letters[static_cast<int>(House[WhereAmI(Man.y)][WhereAmI(Man.x)].Initial)];
    }
    static bool InClosedDoor() {
        return LevelCheck::IsDoor(LetterHere()) && !House[WhereAmI(Man.y)][WhereAmI(Man.x)].DoorOpen;
    }
};

class ShippedLevelPlayed : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(ShippedLevelPlayed, ThePilotClearsItFollowingTheModel) {
    const int number = GetParam();
    StartLevel(ShippedStoreys(number));
    ASSERT_GT(ItemsTotal, 0u);
    Pilot pilot;
    PlayerMovement();  // the first frame settles him at his storey's height

    for (int legs = 0; ItemsFound < ItemsTotal && legs < 100; ++legs) {
        const Cell from = OskasCell();
        const std::vector<Move> path = PathToAnItem(HouseLetters(), from);
        ASSERT_FALSE(path.empty()) << "level" << number << ".txt: no way from " << Describe(from)
                                   << " to the " << ItemsTotal - ItemsFound << " items left";
        for (const Move& move : path) {
            const Cell before = OskasCell();
            if (move.via == 0) pilot.Walk(move.to);
            else pilot.Ride(move);
            pilot.Settle();
            ASSERT_FALSE(pilot.Failed()) << "level" << number << ".txt: he fell out of the house on the move from "
                                         << Describe(before) << " to " << Describe(move.to);
            ASSERT_EQ(OskasCell(), move.to)
                << "level" << number << ".txt: the move from " << Describe(before) << " ended at "
                << Describe(OskasCell()) << ", not at " << Describe(move.to);
        }
    }
    EXPECT_EQ(ItemsFound, ItemsTotal);
    std::cout << "level" << number << ".txt cleared in " << pilot.frames << " frames, about "
              << pilot.frames / static_cast<int>(FramesPerSecond) << " s\n";
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevelPlayed, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "level" + std::to_string(info.param);
                         });

}  // namespace

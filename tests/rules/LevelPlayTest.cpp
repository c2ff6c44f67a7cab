// The shipped levels (read from levels/ in the source tree) played by the
// game's own rules, frame by frame.
// Oska, with the cats out of play: a pilot holds the arrows and X along the
// moves of the level model, from item to item, and after every move checks
// that Oska stands where the model said he would; and every move the model
// allows anywhere in the level is tried on its own. So the model and the
// game agree, and each level can really be cleared.
// The cats, without Oska: set down all over the area where cats appear, on
// walls, doors, shafts and trampolines alike, they must all stay in the
// house and keep getting back onto a storey.
#include <algorithm>
#include <iostream>
#include <sstream>

#include "levelcheck/LevelCheck.h"
#include "tests/levels/ShippedLevels.h"
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;
using LevelCheck::Cell;
using LevelCheck::Move;

namespace {

constexpr float LossLine = 485.0f;

Storeys ShippedStoreys(int number) {
    Level level;
    const std::string error = ReadLevelFile(LevelCheck::LevelPath(number), level);
    EXPECT_EQ(error, "");
    Storeys storeys;
    for (std::size_t row = 3; row <= 10; ++row) {
        for (std::size_t column = 1; column <= 16; ++column) storeys[row - 3].push_back(level[row][column]);
    }
    return storeys;
}

// A cell's letter, in the order of the kinds.
char LetterOf(const Blok& cell) {
    static const char letters[] = "pwendDsStci";
    return letters[static_cast<int>(cell.Initial)];
}

// The house as it stands now, as letters: collected items are passages.
Level HouseLetters(const GameState& s) {
    Level level;
    for (std::size_t row = 1; row <= 10; ++row) {
        for (std::size_t column = 1; column <= 16; ++column)
            level[row][column] = LetterOf(s.House[row][column]);
    }
    return level;
}

// The letter of the cell at a position, '?' outside the house.
char LetterAt(GameState& s, float x, float y) {
    const Blok* cell = CellAt(s.House, x, y);
    return cell == nullptr ? '?' : LetterOf(*cell);
}

Cell OskasCell(const GameState& s) {
    return {static_cast<int>(WhereAmI(s.Man.y)), static_cast<int>(WhereAmI(s.Man.x))};
}

std::string Describe(Cell c) {
    return LevelCheck::Where(c);
}
std::string Describe(GameState& s, float x, float y) {
    return Describe(Cell{static_cast<int>(WhereAmI(y)), static_cast<int>(WhereAmI(x))}) + " ('" +
           LetterAt(s, x, y) + "')";
}

// The fewest moves from `from` to the nearest item; empty when there is none.
std::vector<Move> PathToAnItem(const Level& level, Cell from) {
    return LevelCheck::PathTo(level, from, [&](Cell c) { return level[c.row][c.column] == 'i'; });
}

// Holds the arrows and X for Oska's rule, frame by frame.
class Pilot {
  public:
    explicit Pilot(GameState& s) : s_(s) {}
    int frames = 0;

    // Walks into the neighbouring cell `to`, opening closed doors on the way.
    void Walk(Cell to) {
        const FrameInput arrow = to.column > OskasCell(s_).column ? RightKey : LeftKey;
        for (int k = 0; k < 3000 && !Failed(); ++k) {
            if (s_.Man.Controlable && OskasCell(s_) == to) break;
            Frame(s_.Man.Controlable && InClosedDoor() ? XKey : arrow);
        }
    }

    // Walks into the shaft or trampoline in column `via` and rides it to `to`.
    void Ride(const Move& move) {
        const FrameInput towards = move.via > OskasCell(s_).column ? RightKey : LeftKey;
        const int row = OskasCell(s_).row;
        for (int k = 0; k < 3000 && !Failed(); ++k) {
            if (!s_.Man.Controlable || OskasCell(s_).column == move.via) break;
            Frame(towards);
        }
        if (move.ride) {
            // Down, the bounce, and up to the row of the step-off.
            int k = 0;
            for (; k < 20000 && !Failed(); ++k) {
                if (s_.Man.Controlable && !s_.Man.HaveToFall && OskasCell(s_) == Cell{move.to.row, move.via})
                    break;
                Frame(NoKey);
            }
            ASSERT_LT(k, 20000) << "he never rose through " << Describe({move.to.row, move.via})
                                << " after dropping from row " << row;
            Frame(move.to.column > move.via ? RightKey : LeftKey);
        }
        for (int k = 0; k < 20000 && !Failed(); ++k) {
            if (s_.Man.Controlable && LevelCheck::IsStorey(LetterAt(s_, s_.Man.x, s_.Man.y))) break;
            Frame(NoKey);
        }
    }

    // One frame without keys: the rule of the cell he has arrived in takes
    // hold (an item is collected).
    void Settle() { Frame(NoKey); }

    bool Failed() const { return s_.Man.y >= LossLine; }

  private:
    // Oska's rule alone: the cats are out of play.
    void Frame(const FrameInput& in) {
        FrameEvents events;
        PlayerMovement(s_, in, events);
        ++frames;
    }
    bool InClosedDoor() {
        const Blok* cell = CellAt(s_.House, s_.Man.x, s_.Man.y);
        return cell != nullptr && LevelCheck::IsDoor(LetterOf(*cell)) && !cell->DoorOpen;
    }
    GameState& s_;
};

class ShippedLevelPlayed : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevelPlayed, ThePilotClearsItFollowingTheModel) {
    const int number = GetParam();
    GameState s = Game(ShippedStoreys(number));
    ASSERT_GT(s.ItemsTotal, 0u);
    Pilot pilot(s);
    pilot.Settle();  // the first frame settles him at his storey's height

    for (int legs = 0; s.ItemsFound < s.ItemsTotal && legs < 100; ++legs) {
        const Cell from = OskasCell(s);
        const std::vector<Move> path = PathToAnItem(HouseLetters(s), from);
        ASSERT_FALSE(path.empty()) << LevelCheck::LevelName(number) << ": no way from " << Describe(from)
                                   << " to the " << s.ItemsTotal - s.ItemsFound << " items left";
        for (const Move& move : path) {
            const Cell before = OskasCell(s);
            if (move.via == 0)
                pilot.Walk(move.to);
            else
                pilot.Ride(move);
            pilot.Settle();
            ASSERT_FALSE(pilot.Failed())
                << LevelCheck::LevelName(number) << ": he fell out of the house on the move from "
                << Describe(before) << " to " << Describe(move.to);
            ASSERT_EQ(OskasCell(s), move.to)
                << LevelCheck::LevelName(number) << ": the move from " << Describe(before) << " ended at "
                << Describe(OskasCell(s)) << ", not at " << Describe(move.to);
        }
    }
    EXPECT_EQ(s.ItemsFound, s.ItemsTotal);
    std::cout << LevelCheck::LevelName(number) << " cleared in " << pilot.frames << " frames\n";
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevelPlayed, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& level) {
                             return "level" + std::to_string(level.param);
                         });

// Every move the model allows from every cell Oska can reach, tried one by
// one: he is set down in the middle of the cell, under control, and must
// end the move in the cell the model names.
TEST_P(ShippedLevelPlayed, EveryMoveOfTheModelIsAMoveOfTheGame) {
    const int number = GetParam();
    GameState s = Game(ShippedStoreys(number));
    const Level letters = HouseLetters(s);
    const LevelCheck::Distances reach =
        LevelCheck::RidesFrom(letters, {LevelCheck::StartRow, LevelCheck::StartColumn});
    Pilot pilot(s);
    int tried = 0;
    for (int row = LevelCheck::FirstStorey; row <= LevelCheck::LastStorey; ++row) {
        for (int column = 1; column <= 16; ++column) {
            if (reach[row][column] < 0) continue;
            for (const Move& move : LevelCheck::MovesFrom(letters, {row, column})) {
                PutOska(s, static_cast<float>(column * 50 - 25), static_cast<float>(row * 50 - 12));
                s.Jumps = 0;
                if (move.via == 0)
                    pilot.Walk(move.to);
                else
                    pilot.Ride(move);
                pilot.Settle();
                ++tried;
                ASSERT_FALSE(pilot.Failed())
                    << LevelCheck::LevelName(number) << ": he fell out of the house on the move from "
                    << Describe({row, column}) << " to " << Describe(move.to);
                EXPECT_EQ(OskasCell(s), move.to)
                    << LevelCheck::LevelName(number) << ": the move from " << Describe({row, column})
                    << " ended at " << Describe(OskasCell(s)) << ", not at " << Describe(move.to);
            }
        }
    }
    EXPECT_GT(tried, 0);
    std::cout << LevelCheck::LevelName(number) << ": " << tried << " moves agree with the game\n";
}

// What a cat did in the frames watched.
struct Watch {
    float startX = 0, startY = 0;
    bool onStorey = false;  // stood in a passage, item or door cell
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};

class ShippedLevelCats : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevelCats, CatsSetDownAnywhereKeepWalkingFallingAndRiding) {
    const int number = GetParam();
    constexpr int Cats = 120;
    constexpr int Frames = 30000;   // long enough for several rides of each cat
    constexpr int Watched = 12000;  // the last frames, in which each cat must reach a storey

    for (const float speed : {0.75f, 1.0f, 1.75f}) {
        GameState s = Game(ShippedStoreys(number));
        s.RelativeSpeedCatX = speed;
        s.Man.x = 25.0f;  // up in the status band, where no cat ever walks
        s.Man.y = 25.0f;
        std::vector<Watch> watch(Cats + 1);
        for (int k = 1; k <= Cats; ++k) {
            // Spread over x 151..650 and y 151..350, every fourth cat on a
            // column's centre line, with the leftovers of an earlier level.
            Enemy& cat = s.EnemyArr[static_cast<std::size_t>(k)];
            cat = Enemy{};
            cat.x = static_cast<float>(151 + (k * 157) % 500);
            cat.y = static_cast<float>(151 + (k * 71) % 200);
            if (k % 4 == 0) cat.x = Middle(cat.x);
            cat.HaveToFall = k % 2 == 0;
            cat.FloorHeight = k % 3 == 0 ? 0.0f : static_cast<float>(125 + 50 * (k % 7));
            cat.Direction = k % 5 == 0 ? Direction::Right : Direction::Left;
            cat.Controlable = true;
            cat.StillExisting = true;
            watch[static_cast<std::size_t>(k)].startX = cat.x;
            watch[static_cast<std::size_t>(k)].startY = cat.y;
        }
        for (int frame = 1; frame <= Frames; ++frame) {
            FrameEvents events;
            EnemyMovement(s, events);
            if (frame <= Frames - Watched) continue;
            for (int k = 1; k <= Cats; ++k) {
                const Enemy& cat = s.EnemyArr[static_cast<std::size_t>(k)];
                Watch& w = watch[static_cast<std::size_t>(k)];
                if (!cat.StillExisting) continue;
                if (LevelCheck::IsStorey(LetterAt(s, cat.x, cat.y))) w.onStorey = true;
                w.minX = std::min(w.minX, cat.x);
                w.maxX = std::max(w.maxX, cat.x);
                w.minY = std::min(w.minY, cat.y);
                w.maxY = std::max(w.maxY, cat.y);
            }
        }
        ASSERT_FALSE(s.Man.Hit);
        for (int k = 1; k <= Cats; ++k) {
            const Enemy& cat = s.EnemyArr[static_cast<std::size_t>(k)];
            const Watch& w = watch[static_cast<std::size_t>(k)];
            std::ostringstream who;
            who << LevelCheck::LevelName(number) << ", cat speed " << speed << ": the cat set down at ("
                << w.startX << ", " << w.startY << "), " << Describe(s, w.startX, w.startY);
            ASSERT_TRUE(cat.StillExisting) << who.str() << " left the house";
            const std::string now = " and is now at " + Describe(s, cat.x, cat.y);
            EXPECT_TRUE(w.onStorey) << who.str() << " never stood on a storey in the last " << Watched
                                    << " frames" << now;
            EXPECT_TRUE(w.maxX > w.minX || w.maxY > w.minY) << who.str() << " stopped moving" << now;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevelCats, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& level) {
                             return "level" + std::to_string(level.param);
                         });

}  // namespace

// The level checker's own rules, tried on small made-up houses, so that a
// fault in a shipped level cannot slip through a fault in the checker.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/rules/Rules.h"
#include "levelcheck/LevelCheck.h"

using namespace LevelCheck;

namespace {

// A house of rows 3 to 10; Put changes one cell by (row, column).
class House {
  public:
    House() {
        rows_ = {
            "wwwwwwwwwwwwwwww",  // 3
            "wppppppppppppppw",  // 4
            "wppppppppppppppw",  // 5
            "wppppppppppppppw",  // 6
            "wppppppppppppppw",  // 7
            "wppppppppppppppw",  // 8
            "wppppppppppppppw",  // 9
            "wwwwwwwwwwwwwwww",  // 10
        };
    }
    House& Put(int row, int column, char kind) {
        rows_[static_cast<std::size_t>(row - 3)][static_cast<std::size_t>(column - 1)] = kind;
        return *this;
    }
    // A shaft in `column`: its top in row `top`, its trampoline in row `foot`.
    House& Shaft(int column, int top, int foot) {
        Put(top, column, 'n');
        for (int row = top + 1; row < foot; ++row) Put(row, column, 'e');
        return Put(foot, column, 't');
    }
    // Read through the game's own reader.
    Level Read() const {
        std::string text = "cccccccccccccccc\ncccccccccccccccc\n";
        for (const std::string& row : rows_) text += row + "\n";
        Level level;
        const std::string error = KerboImplementation::ParseLevel(text, level);
        EXPECT_EQ(error, "");
        return level;
    }

  private:
    std::vector<std::string> rows_;
};

int Rides(const House& house, Cell to) {
    return RidesFrom(house.Read(), {StartRow, StartColumn})[to.row][to.column];
}

bool HasFault(const std::vector<Fault>& faults, const std::string& where, const std::string& what) {
    return std::any_of(faults.begin(), faults.end(), [&](const Fault& f) {
        return f.Text().find(where) != std::string::npos && f.Text().find(what) != std::string::npos;
    });
}

TEST(LevelModelWalking, WallsStopHimAndDoorsOfEveryKindLetHimThrough) {
    House walled;
    walled.Put(9, 2, 'i').Put(9, 4, 'w');
    EXPECT_EQ(Rides(walled, {9, 2}), -1);
    EXPECT_EQ(CheckReach(walled.Read()).faults.size(), 1u);

    for (const char door : {'d', 'D', 's', 'S'}) {
        House doors;
        doors.Put(9, 2, 'i').Put(9, 4, door).Put(9, 13, 'i').Put(9, 12, door);
        EXPECT_EQ(Rides(doors, {9, 2}), 0) << door;
        EXPECT_EQ(Rides(doors, {9, 13}), 0) << door;
    }
}

TEST(LevelModelRiding, AnUpperStoreyIsReachedOnlyByBouncingUpAShaft) {
    House house;
    house.Shaft(13, 6, 10).Put(6, 12, 'i').Put(6, 14, 'i').Put(9, 14, 'i');
    EXPECT_EQ(Rides(house, {6, 12}), 1);
    EXPECT_EQ(Rides(house, {6, 14}), 1);  // the top cell's own storey, either side
    EXPECT_EQ(Rides(house, {9, 14}), 1);  // across the shaft on his own storey
    const Report report = CheckReach(house.Read());
    EXPECT_TRUE(report.faults.empty()) << report.faults.front().Text();
    EXPECT_EQ(report.mostRides, 1);

    // Without the trampoline at its foot he drops into the bottom row: lost.
    House noTrampoline = house;
    noTrampoline.Put(10, 13, 'w');
    EXPECT_EQ(Rides(noTrampoline, {6, 12}), -1);
    EXPECT_EQ(Rides(noTrampoline, {9, 14}), -1);
}

TEST(LevelModelRiding, TheRideEndsInTheTopCellAndWallsBesideTheShaftTurnHimBack) {
    House house;
    house.Shaft(13, 6, 10).Put(5, 12, 'i').Put(5, 14, 'i').Put(7, 12, 'w').Put(7, 14, 'w').Put(7, 11, 'i');
    EXPECT_EQ(Rides(house, {5, 12}), -1);  // above the top: he turns back down below it
    EXPECT_EQ(Rides(house, {5, 14}), -1);
    EXPECT_EQ(Rides(house, {7, 11}), -1);  // walls on both sides of the shaft in row 7
    EXPECT_EQ(Rides(house, {8, 12}), 1);   // the rows below are open
}

TEST(LevelModelFalling, AShaftEndsOnATrampolineAStoreyOrInTheBottomRow) {
    House house;
    house.Shaft(13, 4, 10);
    house.Put(4, 5, 'n').Put(5, 5, 'e').Put(6, 5, 'e');  // no trampoline: its foot is the storey of row 7
    const Level level = house.Read();
    const std::vector<Move> onStorey = Drop(level, 5, 5);
    ASSERT_EQ(onStorey.size(), 1u);
    EXPECT_EQ(onStorey[0].to, (Cell{7, 5}));
    EXPECT_FALSE(onStorey[0].ride);

    // Down to the bottom row without a trampoline: no landing at all.
    House deep = house;
    deep.Put(7, 5, 'e').Put(8, 5, 'e').Put(9, 5, 'e').Put(10, 5, 'e');
    EXPECT_TRUE(Drop(deep.Read(), 5, 5).empty());
    // Onto a wall: stuck, which is no move either.
    House wall = house;
    wall.Put(7, 5, 'w');
    EXPECT_TRUE(Drop(wall.Read(), 5, 5).empty());
    // Onto a trampoline: every storey beside the shaft is open to him.
    EXPECT_EQ(Drop(level, 5, 13).size(), 12u);
}

TEST(LevelModelFalling, WalkingIntoATrampolineDropsHimThroughItToTheStoreyBelow) {
    House house;
    house.Shaft(5, 6, 8).Put(9, 2, 'w').Put(9, 8, 'w').Put(9, 4, 'i');
    // Row 8 is reached from the start by nothing; from row 8 he falls to row 9 next to the item.
    const Level level = house.Read();
    const std::vector<Move> moves = MovesFrom(level, {8, 6});
    EXPECT_NE(std::find_if(moves.begin(), moves.end(),
                           [](const Move& m) {
                               return m.to == Cell{9, 5};
                           }),
              moves.end());
    EXPECT_EQ(RidesFrom(level, {8, 6})[9][4], 0);
    EXPECT_EQ(Rides(house, {9, 4}), -1);
}

TEST(LevelModelReach, AOneWayDropIntoAClosedRoomIsReportedAsAStrandingPlace) {
    House house;
    house.Shaft(13, 4, 10);
    // From row 4 a shaft without a trampoline drops him into row 7, walled off from the ride.
    house.Put(4, 5, 'n')
        .Put(5, 5, 'e')
        .Put(6, 5, 'e')
        .Put(7, 3, 'i')
        .Put(7, 12, 'w')
        .Put(7, 14, 'w')
        .Put(7, 11, 'w');
    const Report report = CheckReach(house.Read());
    EXPECT_EQ(Rides(house, {7, 3}), 1);
    EXPECT_TRUE(HasFault(report.faults, "row 7, column 3", "never back to his start"));
}

TEST(LevelModelLayout, AGoodHouseHasNoFaults) {
    House house;
    house.Shaft(13, 4, 10).Shaft(3, 3, 7).Put(3, 4, 'p').Put(9, 3, 'd').Put(5, 10, 'S');
    const std::vector<Fault> faults = StructureFaults(house.Read());
    EXPECT_TRUE(faults.empty()) << faults.front().Text();
}

TEST(LevelModelLayout, EveryBrokenRuleIsNamedWithItsCell) {
    struct Case {
        House house;
        std::string where, what;
    };
    House good;
    good.Shaft(13, 4, 10);
    std::vector<Case> cases = {
        {House(good).Put(5, 8, 'c'), "row 5, column 8", "ceiling"},
        {House(good).Put(6, 1, 'p'), "row 6, column 1", "wall at both sides"},
        {House(good).Put(4, 13, 'e'), "row 4, column 13", "no shaft or top-of-shaft above"},
        {House(good).Put(10, 13, 'w'), "row 9, column 13", "does not end on a trampoline"},
        {House(good).Put(10, 13, 'e'), "row 10, column 13", "row 10 is the bottom"},
        {House(good).Put(3, 5, 'n').Put(4, 5, 'e').Put(5, 5, 'w'), "row 4, column 5",
         "does not end on a trampoline"},
        {House(good).Put(4, 5, 'n').Put(5, 5, 'e').Put(6, 5, 't').Put(7, 5, 'w'), "row 6, column 5",
         "floor below"},
        {House(good).Put(3, 5, 't'), "row 3, column 5", "above row 4"},
        {House(good).Put(7, 9, 'w'), "row 7, column 9", "where cats appear"},
        {House(good).Put(5, 9, 'n').Put(6, 9, 'e').Put(7, 9, 't'), "row 7, column 9", "bounces in place"},
        {House(good).Put(9, 5, 'w').Put(9, 7, 'w'), "row 9, column 7",
         "from the left is thrown onto column 5"},
        {House(good).Put(9, 3, 'w'), "row 9, column 1", "from the right is thrown onto column 3"},
        {House(good).Put(9, 2, 'd'), "row 9, column 2", "door needs"},
        {House(good).Put(7, 16, 'S'), "row 7, column 16", "door needs"},
        {House(good).Put(8, 12, 'D'), "row 8, column 12", "door needs"},
        {House(good).Put(9, 10, 'i'), "row 9, column 10", "Oska starts here"},
    };
    for (Case& c : cases) {
        const std::vector<Fault> faults = StructureFaults(c.house.Read());
        EXPECT_TRUE(HasFault(faults, c.where, c.what)) << "expected \"" << c.what << "\" at " << c.where;
    }
}

}  // namespace

namespace {

TEST(LevelVerdict, OneLineForAPassingLevelAndEveryFaultWithItsCell) {
    House house;
    house.Shaft(13, 6, 10).Put(6, 12, 'i').Put(9, 3, 'd').Put(8, 5, 'S');
    EXPECT_EQ(Summary(Check(house.Read())), "ok, 1 item, 1 door, 1 shock door, farthest item 1 ride away");
    EXPECT_EQ(Summary(Check(House().Read())),
              "1 fault: no items: the level would be cleared the moment it starts");

    // Layout faults first, then the reach; each keeps its cell for the editor's marks.
    house.Put(7, 9, 'w').Put(4, 5, 'i');
    const Report report = Check(house.Read());
    ASSERT_EQ(report.faults.size(), 2u);
    EXPECT_EQ(report.faults[0].cell, (Cell{7, 9}));
    EXPECT_EQ(report.faults[1].cell, (Cell{4, 5}));
    EXPECT_EQ(
        Summary(report),
        "2 faults: row 7, column 9: a wall where cats appear: a cat placed on its centre line never moves "
        "again; row 4, column 5: an item Oska cannot reach from his start");

    // More shock doors than the game has waves: a fault of the whole level.
    Level many = House().Read();
    int placed = 0;
    for (std::size_t row = 3; row <= 9 && placed <= MostShockDoors; ++row) {
        for (std::size_t column = 2; column <= 15 && placed <= MostShockDoors; ++column, ++placed)
            many[row][column] = 's';
    }
    const std::vector<Fault> faults = StructureFaults(many);
    EXPECT_TRUE(std::any_of(faults.begin(), faults.end(), [](const Fault& f) {
        return f.cell == Cell{} && f.Text() == "the level has 26 shock doors; at most 25 fit";
    }));
}

}  // namespace

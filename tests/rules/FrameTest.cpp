// One frame of the rules as a table: a house, a state, what the player does
// -> the state and the events after the frame. No window, no sound, no files.
#include <functional>
#include <string>

#include "tests/rules/RulesFixture.h"

namespace {

using namespace RulesFixture;

// Storey 9 (y 400..450, walking height 438) walled at both ends, with the
// cells given in `row9`; ceiling everywhere else, so no cat ever moves.
GameState House9(const std::string& row9) {
    GameState s;
    for (uint32_t row = 1; row <= Rows; ++row) {
        for (uint32_t column = 1; column <= Columns; ++column) {
            const char letter = row == 9 ? row9[column - 1] : 'c';
            s.Game[1][row][column] = letter;
            s.House[row][column] = TemplateFor(KindOf(letter));
        }
    }
    CreateItems(s.House);
    s.LevelsHeld = true;
    s.Man = {450.0f, 438.0f, true, Picture::OskaRight1, true};
    return s;
}

struct Case {
    const char* what;
    std::string row9;
    std::function<void(GameState&)> before;
    FrameInput in;
    std::function<void(const GameState&, const FrameEvents&)> after;
};

const Case cases[] = {
    {"an arrow walks him and turns him",
     "wppppppppppppppw",
     nullptr,
     {.Left = true},
     [](const GameState& s, const FrameEvents&) {
         EXPECT_EQ(s.Man.x, 449.6f);
         EXPECT_EQ(s.Man.Look, Picture::OskaLeft1);
     }},
    {"X opens the door he stands in, pushes him out of its swing and holds the game",
     "wppppppppdpppppw",
     [](GameState& s) { s.Man.x = 470.0f; },
     {.DoorKey = true},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_TRUE(s.House[9][10].DoorOpen);
         EXPECT_EQ(s.House[9][10].Look, Picture::DoorLeftOpen);
         EXPECT_TRUE(e.DoorUsed);
     }},
    {"a closed door stops him at its band",
     "wppppppppdpppppw",
     [](GameState& s) { s.Man.x = 464.0f; },
     {.Right = true},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_EQ(s.Man.x, 464.0f);
         EXPECT_FALSE(e.DoorUsed);
     }},
    {"walking onto an item takes it",
     "wppppppppippppw",
     nullptr,
     {},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_TRUE(e.ItemTaken);
         EXPECT_EQ(s.Score, 100u);
         EXPECT_EQ(s.House[9][10].Initial, Initial::p);
         EXPECT_EQ(s.ItemsFound, 1u);
     }},
    {"landing on a trampoline bounces him and wears it",
     "wppppppppptppppw",
     [](GameState& s) {
         s.Man = {525.0f, 405.0f, true, Picture::OskaRight1, true};
     },
     {},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_TRUE(e.Bounced);
         EXPECT_EQ(s.Jumps, 1u);
         EXPECT_EQ(s.House[9][11].Look, Picture::TrampolineBlue);
     }},
    {"P pauses and holds; a paused game asks for its screen",
     "wppppppppppppppw",
     [](GameState& s) { s.Pause = false; },
     {.PauseKey = true},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_TRUE(s.Pause);
         EXPECT_TRUE(e.Paused);
         EXPECT_FALSE(e.PauseShown);
     }},
    {"a cat within reach on his storey catches him",
     "wppppppppppppppw",
     [](GameState& s) {
         s.RelativeSpeedCatX = 1.0f;
         s.EnemyArr[1] = {452.0f, 438.0f, true, true, true};
         s.EnemyArr[1].Direction = Direction::Left;
     },
     {},
     [](const GameState& s, const FrameEvents& e) {
         EXPECT_TRUE(e.Caught);
         EXPECT_TRUE(s.Man.Hit);
         EXPECT_TRUE(AttemptOver(s));
     }},
};

TEST(Frame, OneFrameOfTheRules) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameState s = House9(c.row9);
        if (c.before) c.before(s);
        const FrameEvents events = Frame(s, c.in);
        c.after(s, events);
    }
}

TEST(Frame, TheSameStateAndInputGiveTheSameFrame) {
    GameState a = House9("wpppppdpippppppw");
    a.RelativeSpeedCatX = 1.75f;
    LoadLevel(a, 1);
    GameState b = a;
    for (int frame = 0; frame < 2000; ++frame) {
        const FrameInput in{
            .Left = frame % 700 < 300, .Right = frame % 700 >= 400, .DoorKey = frame % 500 == 0};
        Frame(a, in);
        Frame(b, in);
    }
    EXPECT_EQ(a.Man.x, b.Man.x);
    EXPECT_EQ(a.Score, b.Score);
    EXPECT_EQ(a.EnemyArr[1].x, b.EnemyArr[1].x);
}

}  // namespace

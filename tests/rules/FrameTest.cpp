// The frame as a whole: the pause key, the end of an attempt, and that a
// frame depends on nothing but the state and the input record (no hidden
// state beside GameState).
#include "tests/rules/RulesFixture.h"

namespace {

using namespace RulesFixture;

TEST(Frame, POrALostFocusPausesAndHoldsAndAPausedGameAsksForItsScreen) {
    for (const FrameInput in : {FrameInput{.PauseKey = true}, FrameInput{.FocusLost = true}}) {
        GameState s = Game(QuietLevel());
        const FrameEvents first = Frame(s, in);
        EXPECT_TRUE(s.Pause);
        EXPECT_TRUE(first.Paused);
        EXPECT_FALSE(first.PauseShown) << "the screen opens at the next frame";
        EXPECT_EQ(s.HoldFrames, HoldFramesPerStop);
        const FrameEvents next = Frame(s, in);
        EXPECT_TRUE(next.PauseShown);
        EXPECT_FALSE(next.Paused) << "P again while paused is not a second hold";
        EXPECT_EQ(s.HoldFrames, HoldFramesPerStop);
    }
}

// Caught, fallen or cleared: the lost life is taken at once, the moment that
// shows it lasts EndShownFrames frames in which nothing moves, and only after
// it does a cleared level count on. Clearing wins over a catch in the same frame.
TEST(Frame, AnEndedAttemptIsShownForAMomentBeforeTheGameGoesOn) {
    struct Case {
        float y;
        bool hit;
        uint32_t itemsLeft;
        AttemptEnd end;
        uint32_t lifes, level;
    };
    for (const Case& c :
         {Case{438.0f, true, 1, AttemptEnd::Caught, 3, 1}, Case{485.0f, false, 1, AttemptEnd::Fell, 3, 1},
          Case{485.0f, true, 0, AttemptEnd::Cleared, 4, 2}}) {
        GameState s = Game(QuietLevel());
        s.ItemsTotal = 2;
        s.ItemsFound = 2 - c.itemsLeft;
        s.Man.y = c.y;
        s.Man.Hit = c.hit;
        s.Score = s.ScoreAtStart + 700;
        ASSERT_TRUE(AttemptOver(s));
        EXPECT_EQ(EndAttempt(s), c.end);
        EXPECT_EQ(s.Lifes, c.lifes) << "taken at once, so the moment shows it";
        EXPECT_EQ(s.ActualLevel, 1u);
        EXPECT_EQ(AttemptPoints(s), 700u);
        const GameState atEnd = s;
        uint32_t frames = 0;
        while (ShowEnd(s)) ++frames;
        EXPECT_EQ(frames, EndShownFrames);
        EXPECT_EQ(s.Man.y, atEnd.Man.y);
        EXPECT_EQ(s.End, c.end) << "still shown in its last frame";
        LeaveAttempt(s);
        EXPECT_EQ(s.ActualLevel, c.level);
        EXPECT_EQ(s.End, AttemptEnd::None);
        EXPECT_EQ(s.Lifes, c.lifes);
    }
}

TEST(Frame, TheSameStateAndInputGiveTheSameFrame) {
    // Every storey walkable, so the cats walk too; a door and an item on his.
    const std::string storey = "wppppppppppppppw";
    GameState a =
        Game({storey, storey, storey, storey, storey, storey, "wpppppdpippppppw", "wwwwwwwwwwwwwwww"}, true);
    a.RelativeSpeedCatX = 1.75f;
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

// Trampolines, frame by frame: the pictures of a run of bounces, the
// breaking landing, the event each landing gives the front end for its
// sound, the resting picture again once Oska touches a floor, and falling
// through a trampoline entered from the side.
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

// A shaft in column 10, where Oska starts (x 450 lies in it): its top cell in
// row 7, shaft cells in rows 8 and 9, the trampoline in the bottom row. Row 8
// is a storey to step off onto.
const Storeys ShaftToTheBottomRow = {"cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc",
                                     "cccccccccccccccc", "cccccccccncccccc", "wppppppppepppppw",
                                     "cccccccccecccccc", "wwwwwwwwwtwwwwww"};

bool Falling(const GameState& s) {
    return s.Man.HaveToFall;
}
auto JumpsAre(uint32_t n) {
    return [n](const GameState& s) { return s.Jumps == n; };
}

TEST(Trampolines, ThreeBouncesShowBlueYellowRedAndTheFourthLandingBreaksIt) {
    GameState s = Game(ShaftToTheBottomRow);
    const Blok& trampoline = s.House[10][10];
    const Picture looks[] = {Picture::TrampolineBlue, Picture::TrampolineYellow, Picture::TrampolineRed};
    for (uint32_t bounce = 1; bounce <= 3; ++bounce) {
        EXPECT_TRUE(FramesUntil(s, NoKey, JumpsAre(bounce)).last.Bounced) << "landing " << bounce;
        EXPECT_FALSE(s.Man.HaveToFall);
        EXPECT_EQ(trampoline.Initial, Initial::t);
        EXPECT_EQ(trampoline.Look, looks[bounce - 1]);
        EXPECT_EQ(s.TrampolineX, 475.0f);
        EXPECT_EQ(WhereAmI(s.TrampolineY + 25.0f), 10u) << "the recorded point finds the trampoline again";
        FramesUntil(s, NoKey, Falling);  // up to the top and back down
    }

    const Played breaking =
        FramesUntil(s, NoKey, [](const GameState& g) { return g.House[10][10].Initial != Initial::t; });
    EXPECT_TRUE(breaking.last.Bounced) << "the breaking landing gives its event too";
    EXPECT_EQ(trampoline.Initial, Initial::e);
    EXPECT_EQ(trampoline.Look, Elevator.Look);
    EXPECT_EQ(s.Jumps, 0u);
    EXPECT_TRUE(s.Man.HaveToFall);

    // He falls through the empty shaft cell into the bottom row.
    const int frames = FramesUntil(
                           s, NoKey, [](const GameState& g) { return g.Man.y >= 485.0f; }, 200)
                           .frames;
    EXPECT_GE(s.Man.y, 485.0f);
    EXPECT_FALSE(s.Man.Hit);
    EXPECT_NEAR(frames, 87, 2) << "from the top of row 10 to 485 at 0.4 a frame";
}

TEST(Trampolines, ATouchedFloorTurnsTheLastTrampolineGreenAndANewRunStartsBlue) {
    GameState s = Game(ShaftToTheBottomRow);
    const Blok& trampoline = s.House[10][10];
    FramesUntil(s, NoKey, JumpsAre(1));
    FramesUntil(s, NoKey, Falling);
    FramesUntil(s, NoKey, JumpsAre(2));
    EXPECT_EQ(trampoline.Look, Picture::TrampolineYellow);

    // Rising through row 8: step off to the right onto the storey.
    FramesUntil(s, NoKey, [](const GameState& g) { return g.Man.y < 395.0f; });
    FramesUntil(s, RightKey, Gliding, 1);
    FramesUntil(s, NoKey, InControl);
    EXPECT_EQ(s.Man.x, 502.0f);
    EXPECT_EQ(s.Man.y, 388.0f);
    EXPECT_EQ(s.Jumps, 2u) << "the glide itself touches no floor";
    EXPECT_EQ(trampoline.Look, Picture::TrampolineYellow);

    Frame(s);  // the first frame on the floor
    EXPECT_EQ(s.Jumps, 0u);
    EXPECT_EQ(trampoline.Look, Picture::TrampolineGreen);

    // Back into the shaft and down: the next landing starts a new run.
    FramesUntil(s, LeftKey, [](const GameState& g) { return WhereAmI(g.Man.x) == 10; });  // the shaft
    FramesUntil(s, NoKey, JumpsAre(1));
    EXPECT_EQ(trampoline.Look, Picture::TrampolineBlue);
}

TEST(Trampolines, WalkingInFromTheSideFallsThrough) {
    // The trampoline in the column next to Oska's, a shaft cell under it.
    GameState s = Game(QuietLevel("wppppppppptppppw", "wwwwwwwwwwewwwww"));
    FramesUntil(s, RightKey, Gliding);  // into the trampoline cell: glide to its axis
    EXPECT_EQ(s.Man.TargetX, 525.0f);
    EXPECT_EQ(s.Man.TargetY, 438.0f) << "at his walking height, below the landing band";

    bool bounced = false;
    FramesUntil(s, NoKey, [&bounced](const GameState& g) {
        bounced = bounced || !g.Man.HaveToFall;
        return g.Man.y >= 485.0f;
    });
    EXPECT_FALSE(bounced);
    EXPECT_EQ(s.Jumps, 0u);
    EXPECT_EQ(s.House[9][11].Initial, Initial::t);
    EXPECT_EQ(s.House[9][11].Look, Picture::TrampolineGreen);
    EXPECT_EQ(s.TrampolineX, 0.0f) << "nothing recorded without a bounce";
}

TEST(Trampolines, TheRecordedPointOnlyEverRestoresTrampolinesAndShafts) {
    // The point of a bounce in an earlier level, over cells of other kinds now.
    const std::string row9 = "wpppdppeppptpppw";
    const struct {
        float x, y;  // the point, 25 pixels above the cell
        uint32_t column;
        Picture before, after;
    } points[] = {
        {225.0f, 400.0f, 5, Picture::DoorLeftClosed, Picture::DoorLeftClosed},  // a door is left as it is
        {375.0f, 400.0f, 8, Picture::TrampolineRed, Picture::Shaft},            // a broken trampoline
        {575.0f, 400.0f, 12, Picture::TrampolineYellow, Picture::TrampolineGreen},
        {575.0f, 480.0f, 12, Picture::TrampolineYellow, Picture::TrampolineYellow},  // below the house
    };
    for (const auto& p : points) {
        GameState s = Game(QuietLevel(row9));
        s.House[9][p.column].Look = p.before;
        s.TrampolineX = p.x;
        s.TrampolineY = p.y;
        Frame(s);
        EXPECT_EQ(s.House[9][p.column].Initial, KindOf(row9[p.column - 1])) << "column " << p.column;
        EXPECT_EQ(s.House[9][p.column].Look, p.after) << "column " << p.column << ", y " << p.y;
    }
    GameState s = Game(QuietLevel(row9));
    HelpTrampoline(s.House, -30.0f, 100.0f, 0);  // outside the house: nothing, and no cell looked up
}

}  // namespace

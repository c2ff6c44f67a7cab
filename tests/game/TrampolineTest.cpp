// Trampolines through whole frames of play: the colours of a run of
// bounces as the house holds them and as the screen shows them, the
// breaking landing with its sound, the restoring to green when Oska touches
// a floor, and falling through a trampoline entered from the side.
#include <filesystem>
#include <fstream>
#include <functional>

#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/game/Fixture.h"

using namespace Fixture;

namespace {

// A short silent WAV under the landing sound's name: the sound table reads
// the format from the file's contents.
void WriteLandingSound() {
    std::filesystem::create_directories("Music");
    std::ofstream f("Music/JumpTrampoline.MP3", std::ios::binary);
    const uint32_t rate = 8000, samples = 80;
    auto put = [&f](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) f.put(static_cast<char>(v >> (8 * i)));
    };
    f << "RIFF";
    put(36 + 2 * samples, 4);
    f << "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(2 * rate, 4), put(2, 2), put(16, 2);
    f << "data";
    put(2 * samples, 4);
    for (uint32_t i = 0; i < samples; ++i) put(0, 2);
}

// A shaft in column 10, where Oska starts (x 450 lies in it): its top cell in
// row 7, shaft cells in rows 8 and 9, the trampoline in the bottom row. Row 8
// is a storey to step off onto.
Storeys ShaftToTheBottomRow() {
    return {"cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc",
            "cccccccccncccccc", "wppppppppepppppw", "cccccccccecccccc", "wwwwwwwwwtwwwwww"};
}

class Trampolines : public GameTest {
  protected:
    // Plays frames until the condition holds; fails after a limit.
    int FramesUntil(const std::function<bool()>& done, int limit = 5000) {
        for (int k = 1; k <= limit; ++k) {
            EXPECT_TRUE(PlayFrame());
            if (done()) return k;
        }
        ADD_FAILURE() << "condition not reached in " << limit << " frames";
        return limit;
    }

    // The colour shown at the bottom-left corner of a cell, clear of Oska.
    static uint32_t CellCorner(uint32_t row, uint32_t column) {
        return Pixel(static_cast<int32_t>((column - 1) * 50 + 1), static_cast<int32_t>(row * 50 - 2));
    }
};

}  // namespace

TEST_F(Trampolines, ThreeBouncesShowBlueYellowRedAndTheFourthLandingBreaksIt) {
    // The landing sound as a real file in the game's folder, so each landing is counted.
    ASSERT_TRUE(::Music::InitMusic());
    WriteLandingSound();

    StartLevel(ShaftToTheBottomRow());
    Blok& trampoline = House[10][10];
    const Assets::Image images[] = {Assets::TrampolineBlue, Assets::TrampolineYellow, Assets::TrampolineRed};
    const Picture handles[] = {Picture::TrampolineBlue, Picture::TrampolineYellow, Picture::TrampolineRed};

    for (uint32_t bounce = 1; bounce <= 3; ++bounce) {
        const size_t sounds = ::Music::Testing::Handles();
        FramesUntil([&] { return Jumps == bounce; });
        EXPECT_EQ(::Music::Testing::Handles(), sounds + 1) << "landing " << bounce << " plays its sound";
        EXPECT_FALSE(Man.HaveToFall);
        EXPECT_EQ(trampoline.Initial, Initial::t);
        EXPECT_EQ(trampoline.Look, handles[bounce - 1]);
        EXPECT_EQ(CellCorner(10, 10), ColourOf(images[bounce - 1]));
        EXPECT_EQ(TrampolineX, 475.0f);
        EXPECT_EQ(WhereAmI(TrampolineY + 25.0f), 10u) << "the recorded point finds the trampoline again";
        if (bounce < 3) FramesUntil([] { return Man.HaveToFall; });  // up to the top and back down
    }

    FramesUntil([] { return Man.HaveToFall; });
    const size_t sounds = ::Music::Testing::Handles();
    FramesUntil([&] { return trampoline.Initial != Initial::t; });
    EXPECT_EQ(::Music::Testing::Handles(), sounds + 1) << "the breaking landing plays the sound too";
    EXPECT_EQ(trampoline.Initial, Initial::e);
    EXPECT_EQ(trampoline.Look, Elevator.Look);
    EXPECT_EQ(Jumps, 0u);
    EXPECT_TRUE(Man.HaveToFall);
    EXPECT_EQ(CellCorner(10, 10), ColourOf(Assets::Elevator));

    // He falls through the empty shaft cell into the fall limit.
    const int frames = FramesUntil([] { return Man.y >= 485.0f; }, 200);
    EXPECT_GE(Man.y, 485.0f);
    EXPECT_FALSE(Man.Hit);
    EXPECT_NEAR(frames, 87, 2) << "from the top of row 10 to 485 at 0.4 a frame";
}

TEST_F(Trampolines, ATouchedFloorTurnsTheLastTrampolineGreenAndANewRunStartsBlue) {
    StartLevel(ShaftToTheBottomRow());
    Blok& trampoline = House[10][10];
    FramesUntil([] { return Jumps == 1; });
    FramesUntil([] { return Man.HaveToFall; });
    FramesUntil([] { return Jumps == 2; });
    EXPECT_EQ(trampoline.Look, Picture::TrampolineYellow);

    // Rising through row 8: step off to the right onto the storey.
    FramesUntil([] { return Man.y < 395.0f; });
    Hold(RightArrow);
    FramesUntil([] { return !Man.Controlable; }, 1);
    Release(RightArrow);
    FramesUntil([] { return Man.Controlable; });
    EXPECT_EQ(Man.x, 502.0f);
    EXPECT_EQ(Man.y, 388.0f);
    EXPECT_EQ(Jumps, 2u) << "the glide itself touches no floor";
    EXPECT_EQ(trampoline.Look, Picture::TrampolineYellow);

    Frames(1);  // the first frame on the floor
    EXPECT_EQ(Jumps, 0u);
    EXPECT_EQ(trampoline.Look, Picture::TrampolineGreen);
    EXPECT_EQ(CellCorner(10, 10), ColourOf(Assets::TrampolineGreen));

    // Back into the shaft and down: the next landing starts a new run.
    Hold(LeftArrow);
    FramesUntil([] { return CellAt(Man.x, Man.y)->Initial == Initial::e; });
    Release(LeftArrow);
    FramesUntil([] { return Jumps == 1; });
    EXPECT_EQ(trampoline.Look, Picture::TrampolineBlue);
    EXPECT_EQ(CellCorner(10, 10), ColourOf(Assets::TrampolineBlue));
}

TEST_F(Trampolines, WalkingInFromTheSideFallsThrough) {
    // Oska starts on row 9 with the trampoline in the next column and a
    // shaft cell under it in the bottom row.
    StartLevel({"cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc",
                "cccccccccccccccc", "cccccccccccccccc", "wppppppppptppppw", "wwwwwwwwwwewwwww"});
    Hold(RightArrow);
    FramesUntil([] { return !Man.Controlable; });  // into the trampoline cell: glide to its axis
    Release(RightArrow);
    EXPECT_EQ(Man.TargetX, 525.0f);
    EXPECT_EQ(Man.TargetY, 438.0f) << "at his walking height, below the landing band";

    bool bounced = false;
    FramesUntil([&] {
        bounced = bounced || !Man.HaveToFall;
        return Man.y >= 485.0f;
    });
    EXPECT_FALSE(bounced);
    EXPECT_GE(Man.y, 485.0f);
    EXPECT_EQ(Jumps, 0u);
    EXPECT_EQ(House[9][11].Initial, Initial::t);
    EXPECT_EQ(House[9][11].Look, Picture::TrampolineGreen);
    EXPECT_EQ(TrampolineX, 0.0f) << "nothing recorded without a bounce";
}

TEST_F(Trampolines, TheRecordedPointOnlyEverRestoresTrampolinesAndShafts) {
    // The point of a bounce in an earlier level, over cells of other kinds now.
    StartLevel({"cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc",
                "cccccccccccccccc", "cccccccccccccccc", "wpppdppeppptpppw", "wwwwwwwwwwwwwwww"});
    const Blok door = House[9][5];

    TrampolineX = 225.0f;  // column 5: a door
    TrampolineY = 400.0f;  // + 25: row 9
    Frames(1);
    EXPECT_EQ(House[9][5].Initial, door.Initial);
    EXPECT_EQ(House[9][5].Look, door.Look);
    EXPECT_EQ(CellCorner(9, 5), ColourOf(Assets::DoorLeftClosed));

    House[9][8].Look = Picture::TrampolineRed;  // a broken trampoline left red
    TrampolineX = 375.0f;
    Frames(1);
    EXPECT_EQ(House[9][8].Initial, Initial::e);
    EXPECT_EQ(House[9][8].Look, Elevator.Look);

    House[9][12].Look = Picture::TrampolineYellow;
    TrampolineX = 575.0f;
    Frames(1);
    EXPECT_EQ(House[9][12].Look, Picture::TrampolineGreen);

    // A point whose cell lies below the house is ignored.
    TrampolineY = 480.0f;
    Frames(1);
    HelpTrampoline(House, -30.0f, 100.0f, 0);
    EXPECT_EQ(House[9][12].Look, Picture::TrampolineGreen);
}

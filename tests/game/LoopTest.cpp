// A game and its attempts, played through the real frame loop: when an
// attempt ends, what it costs or gains, how a game ends, and what the loop
// does with a frame's events (the hold, the sounds).
#include <chrono>
#include <vector>

#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/game/Fixture.h"
#include "tests/sound/ToneFile.h"
#include "tests/support/BmpWriter.h"
#include "window/VitrineReplay.h"

using namespace KerboImplementation;
using namespace Fixture;

namespace {

// Oska starts above a shaft that runs into the bottom row: he glides onto
// its axis and drops out of the house. The level's one item lies out of
// reach, so the attempt can only be lost.
Storeys DropLevel() {
    Storeys level = QuietLevel();
    level[0] = "cccccccccccciccc";
    level[6] = "wppppppppepppppw";
    level[7] = "wwwwwwwwwewwwwww";
    return level;
}

// What each frame shown during PlayLevel said: how the attempt ended, the
// counters, Oska's middle and the pixel just over his sprite.
struct Shown {
    AttemptEnd end;
    uint32_t lifes, level, points, oska, above;
};
std::vector<Shown> gShown;
uint64_t gLastShown = 0;

void NoteShownFrame() {
    if (Vitrine::Testing::FramesShown() == gLastShown) return;
    gLastShown = Vitrine::Testing::FramesShown();
    const int32_t x = static_cast<int32_t>(Man.x), top = static_cast<int32_t>(Man.y) - 27;
    gShown.push_back(
        {World.End, Lifes, ActualLevel, AttemptPoints(World), Pixel(x, top + 17), Pixel(x, top - 6)});
}

// The frames shown by one PlayLevel, from the first that shows how it ended.
std::vector<Shown> EndFramesOf(uint32_t level, LevelEnd expected) {
    gShown.clear();
    gLastShown = Vitrine::Testing::FramesShown();
    Vitrine::Replay::SetInputPointHook(NoteShownFrame);
    EXPECT_EQ(PlayLevel(level), expected);
    Vitrine::Replay::SetInputPointHook(nullptr);
    std::size_t k = 0;
    while (k < gShown.size() && gShown[k].end == AttemptEnd::None) ++k;
    return {gShown.begin() + static_cast<std::ptrdiff_t>(k), gShown.end()};
}

}  // namespace

class Loop : public GameTest {};

TEST_F(Loop, ALostLifeIsShownForAMomentBeforeTheNextCard) {
    WriteLevel(1, DropLevel());
    LoadGame();
    LoadLevel(1);
    const std::vector<Shown> end = EndFramesOf(1, LevelEnd::Lost);
    ASSERT_EQ(end.size(), EndShownFrames) << "a second after the fall, then the card";
    const uint32_t white = 0xFFFFFF, oska = ColourOf(Assets::OskaRight1);
    for (std::size_t k = 0; k < end.size(); ++k) {
        EXPECT_EQ(end[k].end, AttemptEnd::Fell) << k;
        EXPECT_EQ(end[k].lifes, 3u) << "the counter shows the life gone: " << k;
        EXPECT_EQ(end[k].above, LightGrey) << "the plate with its word over him: " << k;
        // He flashes: white for an eighth of a second, then himself, and so on.
        EXPECT_EQ(end[k].oska, (k / (FramesPerSecond / 8)) % 2 == 0 ? white : oska) << k;
    }
    EXPECT_EQ(World.End, AttemptEnd::None);
    EXPECT_EQ(Lifes, 3u);
}

TEST_F(Loop, AClearedLevelShowsItsPointsBeforeTheNextCard) {
    // The last item lies at the foot of the shaft: 100 points.
    Storeys level = DropLevel();
    level[0] = QuietLevel()[0];
    level[7] = "wwwwwwwwwiwwwwww";
    WriteLevel(1, level);
    LoadGame();
    Score = 700;
    LoadLevel(1);
    const std::vector<Shown> end = EndFramesOf(1, LevelEnd::Cleared);
    ASSERT_EQ(end.size(), EndShownFrames);
    for (const Shown& frame : end) {
        EXPECT_EQ(frame.end, AttemptEnd::Cleared);
        EXPECT_EQ(frame.points, 100u) << "the attempt's points, not the game's";
        EXPECT_EQ(frame.level, 1u) << "the band names the level cleared until the next card";
        EXPECT_EQ(frame.lifes, 4u);
    }
    EXPECT_EQ(ActualLevel, 2u);
}

TEST_F(Loop, ALevelWithoutItemsIsClearedAfterOneFrame) {
    LoadGame();
    LoadLevel(1);
    const uint64_t shown = Vitrine::Testing::FramesShown();
    EXPECT_EQ(PlayLevel(1), LevelEnd::Cleared);
    EXPECT_EQ(Vitrine::Testing::FramesShown() - shown, LevelCardFrames + 1 + EndShownFrames)
        << "the level card, one frame, then the moment that shows it cleared";
    EXPECT_EQ(ActualLevel, 2u);
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(Man.y, 438.0f) << "the one frame was played: he stands at his storey's height";
}

TEST_F(Loop, TheBottomRowStartsAt485) {
    LoadGame();
    LoadLevel(1);
    ItemsTotal = 3;
    ItemsFound = 2;
    Man.y = 484.9f;
    EXPECT_FALSE(AttemptOver());
    Man.y = 485.0f;
    EXPECT_TRUE(AttemptOver());
    Man.y = 438.0f;
    Man.Hit = true;
    EXPECT_TRUE(AttemptOver()) << "caught by a cat";
    Man.Hit = false;
    ItemsFound = 3;
    EXPECT_TRUE(AttemptOver());
}

TEST_F(Loop, FallingIntoTheBottomRowCostsALifeAndRestartsTheLevel) {
    WriteLevel(1, DropLevel());
    LoadGame();
    Score = 700;
    LoadLevel(1);
    EXPECT_EQ(PlayLevel(1), LevelEnd::Lost);
    EXPECT_EQ(Lifes, 3u);
    EXPECT_EQ(ActualLevel, 1u);
    EXPECT_EQ(Score, 700u) << "a lost life takes no points";
    EXPECT_EQ(Man.x, 475.0f);
    EXPECT_GE(Man.y, 485.0f);
    EXPECT_LT(Man.y - 0.4f, 485.0f) << "the attempt ends in the first frame at the line";
}

TEST_F(Loop, ClearingWinsOverFallingInTheSameFrame) {
    // The last item lies at the foot of the shaft, in the bottom row.
    Storeys level = DropLevel();
    level[0] = QuietLevel()[0];
    level[7] = "wwwwwwwwwiwwwwww";
    WriteLevel(1, level);
    LoadGame();
    LoadLevel(1);
    EXPECT_EQ(PlayLevel(1), LevelEnd::Cleared);
    EXPECT_GE(Man.y, 485.0f) << "he did fall into the bottom row";
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(ActualLevel, 2u);
    EXPECT_EQ(Score, 100u);
}

TEST_F(Loop, FourLostLivesEndTheGame) {
    WriteAllLevels(DropLevel());
    EXPECT_EQ(PlayGame(), GameEnd::Lost);
    EXPECT_EQ(Lifes, 0u);
    EXPECT_EQ(ActualLevel, 1u);
}

TEST_F(Loop, ClearingTheTenthLevelWinsTheGame) {
    EXPECT_EQ(PlayGame(), GameEnd::Won);
    EXPECT_EQ(ActualLevel, 11u);
    EXPECT_EQ(Lifes, 4u);

    // With one life left, the tenth level cleared is still a win.
    LoadGame();
    Lifes = 1;
    ActualLevel = 10;
    LoadLevel(10);
    EXPECT_EQ(PlayLevel(10), LevelEnd::Cleared);
    EXPECT_EQ(ActualLevel, 11u);
    EXPECT_EQ(Lifes, 1u);
}

TEST_F(Loop, LostAndClearedAttemptsFollowEachOther) {
    // Level 1 drops him out of the house; it is replayed until the lives are gone.
    WriteLevel(1, DropLevel());
    LoadGame();
    for (uint32_t lifes = 3; lifes >= 1; --lifes) {
        LoadLevel(ActualLevel);
        ASSERT_EQ(PlayLevel(ActualLevel), LevelEnd::Lost);
        EXPECT_EQ(Lifes, lifes);
        EXPECT_EQ(ActualLevel, 1u);
    }
    // A level without items after a lost life: cleared, lives kept.
    WriteLevel(1, QuietLevel());
    LoadLevel(ActualLevel);
    EXPECT_EQ(PlayLevel(ActualLevel), LevelEnd::Cleared);
    EXPECT_EQ(Lifes, 1u);
    EXPECT_EQ(ActualLevel, 2u);
}

TEST_F(Loop, AClosedWindowEndsTheGameAtOnce) {
    Vitrine::Testing::CloseWindow();
    EXPECT_EQ(PlayGame(), GameEnd::WindowClosed);
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(ActualLevel, 1u) << "no attempt was played";
    EXPECT_EQ(Man.y, 439.0f) << "not a single frame";
}

TEST_F(Loop, AFrameMovesOskaAndShowsThePicture) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    Hold(LeftArrow);
    const uint64_t shown = Vitrine::Testing::FramesShown();
    ASSERT_TRUE(PlayFrame());
    EXPECT_EQ(Vitrine::Testing::FramesShown() - shown, 1u);
    EXPECT_EQ(Man.x, 450.0f - 0.4f);
    // The picture of this frame is the one after the step: turned left, one pixel further left.
    EXPECT_EQ(Pixel(431, 420), ColourOf(Assets::OskaLeft1));
    EXPECT_EQ(Pixel(466, 420), ColourOf(Assets::Passage));
}

TEST_F(Loop, AnAttemptIsSetUpAgainByPlayLevel) {
    // The cats stand where the second set-up's draws put them (see tests/rules/SetUpTest.cpp).
    LoadGame();
    LoadLevel(1);
    LoadLevel(1);
    const GameState twice = World;
    World.Seed = StandardLib::StartSeed;
    LoadGame();
    LoadLevel(1);
    EXPECT_EQ(PlayLevel(1), LevelEnd::Cleared);  // no items: one frame
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_EQ(EnemyArr[k].x, twice.EnemyArr[k].x) << "cat " << k;
        EXPECT_EQ(EnemyArr[k].y, twice.EnemyArr[k].y) << "cat " << k;
    }
}

TEST_F(Loop, XHeldTogglesTheDoorOnceEachHoldIsOver) {
    Storeys level = QuietLevel();
    level[6] = "wppppppppspppppw";
    StartLevel(level);
    Man.x = 450.0f;
    Hold(KeyX);
    for (bool open : {true, false, true, false, true}) {
        Frames(1);
        EXPECT_EQ(House[9][10].DoorOpen, open);
        EXPECT_EQ(World.HoldFrames, HoldFramesPerStop) << "200 ms at 250 frames a second";
        const float x = Man.x;
        Frames(static_cast<int>(HoldFramesPerStop));
        EXPECT_EQ(Man.x, x) << "nothing moves while the game holds still";
        EXPECT_EQ(House[9][10].DoorOpen, open);
    }
    Release(KeyX);
    EXPECT_EQ(House[9][10].Initial, Initial::d) << "the shock door fired once and is a plain door";
    EXPECT_EQ(AllShockWaves.NumberOfWaves, 1u);
}

TEST_F(Loop, EachSoundOfAFrameComesFromItsEvent) {
    ASSERT_TRUE(::Music::InitMusic());
    for (const Assets::Sound& sound : {Assets::ItemSound, Assets::TrampolineSound, Assets::DeathSound}) {
        std::filesystem::create_directories(std::filesystem::path(sound.file).parent_path());
        std::filesystem::copy_file(WriteTone("tone.wav", 10), sound.file);
    }
    const std::pair<FrameEvents, std::size_t> frames[] = {{{.ItemTaken = true}, 1},
                                                          {{.Bounced = true}, 1},
                                                          {{.Caught = true}, 1},
                                                          {{.DoorUsed = true}, 0},
                                                          {{}, 0}};
    for (const auto& [events, sounds] : frames) {
        const std::size_t before = ::Music::Testing::Handles();
        PlayFrameSounds(events);
        EXPECT_EQ(::Music::Testing::Handles() - before, sounds)
            << "item, bounce, caught, door, nothing: " << before;
    }
}

// The frames after an attempt, against their golden pictures: a caught Oska
// on the top storey in his first (white) flash, in front of the cat, his
// word under him; one fallen into the bottom row seen between flashes; a
// cleared level's points. A picture that differs is written to the test's
// temporary folder (kerbo-end-N.bmp) to be looked at.
TEST_F(Loop, TheMomentAfterAnAttemptLooksAsItsGoldenPicture) {
    struct Case {
        float x, y;
        bool hit;
        uint32_t skip;  // frames of the moment already shown
        uint32_t golden;
    };
    const Case cases[] = {{300.9f, 138.0f, true, 0, 1162740374u},
                          {475.0f, 485.2f, false, FramesPerSecond / 8, 3265096544u},
                          {450.0f, 438.0f, false, 0, 3538163397u}};
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        LoadGame();
        LoadLevel(1);
        NoCats();
        EnemyArr[1].StillExisting = c.hit;
        EnemyArr[1].x = c.x + 10.0f;
        EnemyArr[1].y = c.y;
        ItemsTotal = k == 2 ? 0 : 1;
        Score = 1200;
        Man.x = c.x;
        Man.y = c.y;
        Man.Hit = c.hit;
        EndAttempt(World);
        for (uint32_t n = 0; n <= c.skip; ++n) ShowEnd(World);
        DrawEverything();
        uint32_t hash = 2166136261u;
        for (int32_t y = 0; y < 500; ++y)
            for (int32_t x = 0; x < 800; ++x) hash = (hash ^ Pixel(x, y)) * 16777619u;
        EXPECT_EQ(hash, c.golden) << "case " << k;
        if (hash != c.golden) {
            kerbo_test::WriteBmpFile(
                (fs::path(::testing::TempDir()) / ("kerbo-end-" + std::to_string(k) + ".bmp")).string(), 800,
                500, 24, [](int x, int y) { return kerbo_test::Bgr(Pixel(x, y)); });
        }
    }
}

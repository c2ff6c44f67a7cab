// A game and its attempts, played through the real frame loop: when an
// attempt ends, what it costs or gains, how a game ends, and what the loop
// does with a frame's events (the hold, the sounds).
#include <algorithm>
#include <array>
#include <chrono>
#include <tuple>
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

// How the attempt ended, the lives, the level and the attempt's points, as
// each frame shown during PlayLevel had them.
std::vector<std::array<uint32_t, 4>> gShown;
uint64_t gLastShown = 0;
void NoteShownFrame() {
    if (Vitrine::Testing::FramesShown() == gLastShown) return;
    gLastShown = Vitrine::Testing::FramesShown();
    gShown.push_back({uint32_t(World.End), Lifes, ActualLevel, AttemptPoints(World)});
}

}  // namespace

class Loop : public GameTest {};

// Fallen into the bottom row: the lives counter one lower at once; the last
// item at the shaft's foot: the level cleared, its 100 points, the band
// still on level 1. A second of such frames, then the next card.
TEST_F(Loop, AnEndedAttemptIsShownForASecondBeforeTheNextCard) {
    Storeys cleared = DropLevel();
    cleared[0] = QuietLevel()[0];
    cleared[7] = "wwwwwwwwwiwwwwww";
    const uint32_t fell = uint32_t(AttemptEnd::Fell), won = uint32_t(AttemptEnd::Cleared);
    for (const auto& [level, end, shown] :
         {std::tuple{DropLevel(), LevelEnd::Lost, std::array<uint32_t, 4>{fell, 3, 1, 0}},
          std::tuple{cleared, LevelEnd::Cleared, std::array<uint32_t, 4>{won, 4, 1, 100}}}) {
        WriteLevel(1, level);
        LoadGame();
        LoadLevel(1);
        gShown.clear();
        gLastShown = Vitrine::Testing::FramesShown();
        Vitrine::Replay::SetInputPointHook(NoteShownFrame);
        EXPECT_EQ(PlayLevel(1), end);
        Vitrine::Replay::SetInputPointHook(nullptr);
        ASSERT_GT(gShown.size(), FramesPerSecond);
        EXPECT_TRUE(
            std::all_of(gShown.end() - FramesPerSecond, gShown.end(), [&](auto& f) { return f == shown; }));
        EXPECT_EQ(gShown[gShown.size() - FramesPerSecond - 1][0], uint32_t(AttemptEnd::None))
            << "the frame played";
    }
}

TEST_F(Loop, ALevelWithoutItemsIsClearedAfterOneFrame) {
    LoadGame();
    LoadLevel(1);
    const uint64_t shown = Vitrine::Testing::FramesShown();
    EXPECT_EQ(PlayLevel(1), LevelEnd::Cleared);
    EXPECT_EQ(Vitrine::Testing::FramesShown() - shown, LevelCardFrames + 1 + FramesPerSecond)
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

// The frames after an attempt against their golden pictures: caught on the
// top storey in his first (white) flash, in front of the cat, his word under
// him; fallen, between flashes; a cleared level's points. A picture that
// differs is written to the test's temporary folder to be looked at.
TEST_F(Loop, TheMomentAfterAnAttemptLooksAsItsGoldenPicture) {
    const std::tuple<float, float, uint32_t, uint32_t> cases[] = {{300.9f, 138.0f, 0, 1162740374u},
                                                                  {475.0f, 485.2f, 31, 3265096544u},
                                                                  {450.0f, 438.0f, 0, 3538163397u}};
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const auto& [x, y, skip, golden] = cases[k];
        LoadGame();
        LoadLevel(1);
        NoCats();
        EnemyArr[1] = {.x = x + 10.0f, .y = y, .StillExisting = k == 0};
        ItemsTotal = k == 2 ? 0 : 1;
        Score = 1200;
        Man.x = x, Man.y = y, Man.Hit = k == 0;
        EndAttempt(World);
        for (uint32_t n = 0; n <= skip; ++n) ShowEnd(World);
        DrawEverything();
        uint32_t hash = 2166136261u;
        for (int32_t row = 0; row < 500; ++row)
            for (int32_t column = 0; column < 800; ++column) hash = (hash ^ Pixel(column, row)) * 16777619u;
        EXPECT_EQ(hash, golden) << "case " << k;
        if (hash != golden)
            kerbo_test::WriteBmpFile(::testing::TempDir() + "kerbo-end-" + std::to_string(k) + ".bmp", 800,
                                     500, 24,
                                     [](int column, int row) { return kerbo_test::Bgr(Pixel(column, row)); });
    }
}

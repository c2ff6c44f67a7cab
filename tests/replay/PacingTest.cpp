// A game plays the same whether its frames are paced or instant, drawn or
// skipped: one scripted player, reacting only to the game's state, plays a
// short game several ways while it is recorded, and the recordings must agree
// event for event and frame for frame.
//
// The house is built around where the fixed-seed generator puts the cats:
//   - Oska walks into the shaft of column 12, bounces twice and steps off
//     onto storey 8 (the run ends, the trampoline rests again);
//   - he walks left to the shock door of column 10 and holds X: it opens (a
//     wave runs left), then closes again and pushes him back out;
//   - cat 2 walks into the shaft of column 4, drops to storey 8 and is swept
//     out of the house by the wave;
//   - he pauses and resumes, walks back into the shaft and bounces until the
//     trampoline breaks: he falls out of the house and loses a life;
//   - after the next level card he pauses and leaves for the start menu.
#include <fstream>
#include <sstream>

#include "game/Keys.h"
#include "game/StateHash.h"
#include "tests/game/Fixture.h"
#include "window/VitrineReplay.h"

using namespace Fixture;

namespace {

namespace T = Vitrine::Testing;

Storeys TheHouse() {
    return {
        "cccccccccccccccc",  // 3
        "cccccccccccccccc",  // 4
        "cccepwcccccccccc",  // 5: cat 2's bit of storey beside a shaft
        "cccecccccccccccc",  // 6
        "cccecccccccccccc",  // 7
        "wppppppppspnwccc",  // 8: the storey; shock door in column 10, shaft top in 12
        "ccccccccwppewcic",  // 9: Oska starts in column 10; an item nobody reaches
        "wwwwwwwwwwwtwwww",  // 10: the trampoline
    };
}

// What the scripted player saw happen.
struct Tally {
    int bounces = 0, restored = 0, doorToggles = 0, pauses = 0, quits = 0;
};

// The player: all it does follows from the game's state, so two runs of the
// same game get the same input at the same input points.
struct Player {
    enum Phase {
        ToShaft,
        Bouncing,
        ToDoor,
        Door,
        PauseAndResume,
        ToBreak,
        NextAttempt,
        Done
    } phase = ToShaft;
    Tally tally;
    uint32_t lastJumps = 0;
    bool lastDoorOpen = false;
    uint64_t pausedAt = 0, point = 0, attemptFrom = 0;
    bool held[256] = {};
    MoveKeys keys = PlayKeys;  // the keys it plays with: those in force

    void Set(uint32_t key, bool down) {
        if (held[key] == down) return;
        held[key] = down;
        down ? T::PressKey(key) : T::ReleaseKey(key);
    }
    void Click(int32_t x, int32_t y) {
        T::MoveMouse(x, y);
        T::LeftDown(x, y);
        T::LeftUp(x, y);
    }
    bool InColumn(uint32_t column) const { return WhereAmI(Man.x) == column; }

    void Step() {
        ++point;
        if (Jumps > lastJumps) ++tally.bounces;
        if (lastJumps > 0 && Jumps == 0 && House[10][12].Look == Picture::TrampolineGreen) ++tally.restored;
        lastJumps = Jumps;
        if (House[8][10].DoorOpen != lastDoorOpen) ++tally.doorToggles;
        lastDoorOpen = House[8][10].DoorOpen;

        switch (phase) {
            case ToShaft:  // walk right into the shaft
                Set(keys[Move::Right], true);
                if (InColumn(12)) Set(keys[Move::Right], false), phase = Bouncing;
                break;
            case Bouncing:  // the second bounce: step off left onto storey 8 while rising
                if (Jumps == 2 && !Man.HaveToFall && WhereAmI(Man.y) == 8)
                    Set(keys[Move::Left], true), phase = ToDoor;
                break;
            case ToDoor:  // walk left up to the closed shock door, then hold X
                if (Man.Controlable && WhereAmI(Man.y) == 8 && Man.x < 488.0f) {
                    Set(keys[Move::Left], false), Set(keys[Move::Door], true), phase = Door;
                }
                break;
            case Door:  // X held: open (a wave), closed again (a plain door)
                if (House[8][10].Initial == Initial::d)
                    Set(keys[Move::Door], false), Set(keys[Move::Pausing], true), phase = PauseAndResume;
                break;
            case PauseAndResume:  // once the game has held still, the pause screen: resume
                if (Pause && World.HoldFrames == 0 && pausedAt == 0)
                    pausedAt = point, ++tally.pauses, Set(keys[Move::Pausing], false);
                if (pausedAt != 0 && point == pausedAt + 6) Click(100, 100);  // resume
                if (pausedAt != 0 && !Pause) Set(keys[Move::Right], true), phase = ToBreak;
                break;
            case ToBreak:  // back into the shaft; bounce until the trampoline breaks
                if (InColumn(12)) Set(keys[Move::Right], false);
                if (Lifes == 3 && World.EndFrames == 0) phase = NextAttempt, attemptFrom = T::FramesShown();
                break;
            case NextAttempt:  // after the level card and a few frames: pause, leave
                if (T::FramesShown() == attemptFrom + LevelCardFrames + 40)
                    Set(keys[Move::Pausing], true), pausedAt = 0;
                if (Pause && World.HoldFrames == 0 && pausedAt == 0)
                    pausedAt = point, ++tally.pauses, Set(keys[Move::Pausing], false);
                if (pausedAt != 0 && point == pausedAt + 6) Click(100, 180), ++tally.quits, phase = Done;
                break;
            case Done:
                break;
        }
    }
};

Player* gPlayer = nullptr;

struct Session {
    std::vector<std::string> events, frames, moves;
    Tally tally;
    GameEnd end = GameEnd::Lost;
    uint32_t score = 0;
};

class Pacing : public GameTest {
  protected:
    // Plays the scripted game once, recording it; paced: waits at the game's
    // frame rate by the stepped clock; unseen: no frame is drawn.
    Session Play(bool paced, bool unseen, std::string* recording = nullptr) {
        Vitrine::KillWindow();  // every run starts with a new window: no keys held
        ResetState();
        StandardLib::ResetRandom();
        Vitrine::ReportFocusLoss(false);
        EXPECT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        Vitrine::SetBuffering(true);
        T::SetInstantWaits(!paced);
        T::UseSteppedClock(paced);
        T::SetFramesUnseen(unseen);
        WriteAllLevels(TheHouse());

        const std::string file = (WorkDir() / "run.kerborec").string();
        std::string error;
        startPoint = PointNow();
        EXPECT_TRUE(Vitrine::Replay::StartRecording(file, "test", error)) << error;
        Vitrine::Replay::SetStateHash(StateHash);
        Player player;
        gPlayer = &player;
        Vitrine::Replay::SetInputPointHook([] { gPlayer->Step(); });
        Session run;
        run.end = PlayGame();
        Vitrine::Replay::SetInputPointHook(nullptr);
        gPlayer = nullptr;
        EXPECT_TRUE(Vitrine::Replay::StopRecording(error)) << error;
        T::SetFramesUnseen(false);
        T::UseSteppedClock(false);
        T::SetInstantWaits(true);
        Vitrine::ReportFocusLoss(true);

        // Input points are counted from the program's start: events are
        // compared by how many points before the end of the run they came.
        std::ifstream in(file);
        std::vector<std::pair<uint64_t, std::string>> events;
        uint64_t end = 0;
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("f ")) run.frames.push_back(line);
            if (line.starts_with("m ")) run.moves.push_back(line);
            if (line.starts_with("end ")) end = std::stoull(line.substr(4));
            if (!line.starts_with("e ")) continue;
            const std::size_t space = line.find(' ', 2);
            events.emplace_back(std::stoull(line.substr(2, space - 2)), line.substr(space));
        }
        for (const auto& [point, rest] : events) run.events.push_back(std::to_string(end - point) + rest);
        if (recording) *recording = file;
        run.tally = player.tally;
        run.score = Score;
        return run;
    }

    // The input point the program has come to (an empty recording's end), and
    // the one the last Play's recording started at.
    static uint64_t PointNow() {
        const std::string probe = (WorkDir() / "probe.kerborec").string();
        std::string error;
        Vitrine::Replay::StartRecording(probe, "test", error);
        Vitrine::Replay::StopRecording(error);
        std::ifstream in(probe);
        uint64_t end = 0;
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("end ")) end = std::stoull(line.substr(4));
        return end;
    }
    uint64_t startPoint = 0;

    // The recording with its points moved by `shift`, as if made from another
    // point of the program on.
    static void ShiftPoints(const std::string& file, int64_t shift) {
        std::ifstream in(file);
        std::ostringstream out;
        for (std::string line; std::getline(in, line);) {
            for (const char* kind : {"e ", "c ", "end "}) {
                if (!line.starts_with(kind)) continue;
                const std::size_t from = std::string(kind).size(), to = line.find(' ', from);
                const int64_t point = std::stoll(line.substr(from, to - from)) + shift;
                line = kind + std::to_string(point) + (to == std::string::npos ? "" : line.substr(to));
            }
            out << line << "\n";
        }
        in.close();
        std::ofstream(file, std::ios::trunc) << out.str();
    }

    // The first frame whose state differs, 0 when none does.
    static std::size_t FirstDifference(const Session& a, const Session& b) {
        for (std::size_t k = 0; k < std::max(a.frames.size(), b.frames.size()); ++k) {
            if (k >= a.frames.size() || k >= b.frames.size() || a.frames[k] != b.frames[k]) return k + 1;
        }
        return 0;
    }
};

}  // namespace

TEST_F(Pacing, InstantPlayMeetsEveryMechanicOfTheScript) {
    const Session run = Play(false, false);
    EXPECT_EQ(run.end, GameEnd::QuitToMenu);
    EXPECT_GE(run.tally.bounces, 2 + 3) << "two bounces before the step-off, three before the break";
    EXPECT_GE(run.tally.restored, 1) << "the step-off ended the run: the trampoline rests again";
    EXPECT_EQ(run.tally.doorToggles, 2) << "X held opened the shock door and closed it again";
    EXPECT_EQ(run.score, 200u) << "the wave swept one cat out of the house";
    EXPECT_EQ(run.tally.pauses, 2);
    EXPECT_EQ(run.tally.quits, 1);
    EXPECT_EQ(Lifes, 3u) << "the broken trampoline cost a life";
}

TEST_F(Pacing, DrawnOrSkippedFramesPlayTheSameGame) {
    const Session drawn = Play(false, false);
    const Session skipped = Play(false, true);
    EXPECT_EQ(FirstDifference(drawn, skipped), 0u);
    EXPECT_EQ(drawn.events, skipped.events);
}

TEST_F(Pacing, PacedAndInstantWaitsPlayTheSameGame) {
    const Session paced = Play(true, false);
    const Session instant = Play(false, false);
    EXPECT_EQ(paced.end, GameEnd::QuitToMenu);
    EXPECT_EQ(FirstDifference(paced, instant), 0u) << "of " << instant.frames.size() << " frames";
    EXPECT_EQ(paced.events, instant.events);
}

// A recording keeps the moves, not the keys: the game played with other keys
// is the same game, move for move, and its recording replays the same while
// the usual keys are in force.
TEST_F(Pacing, OtherKeysPlayTheSameGameAndItsRecordingReplaysUnderAnyKeys) {
    const Session usual = Play(false, false);
    PlayKeys[Move::Left] = Vitrine::KEY_A;
    PlayKeys[Move::Right] = 'D';
    PlayKeys[Move::Door] = 'S';
    PlayKeys[Move::Pausing] = 'Q';
    std::string file;
    const Session other = Play(false, false, &file);
    EXPECT_EQ(other.tally.pauses, 2);
    EXPECT_EQ(FirstDifference(usual, other), 0u);
    EXPECT_EQ(usual.moves, other.moves);
    PlayKeys = MoveKeys{};

    Vitrine::KillWindow();
    ResetState();
    StandardLib::ResetRandom();
    Vitrine::ReportFocusLoss(false);
    ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
    Vitrine::SetBuffering(true);
    WriteAllLevels(TheHouse());
    ShiftPoints(file, int64_t(PointNow()) - int64_t(startPoint));
    std::string error;
    ASSERT_TRUE(Vitrine::Replay::StartReplay(file, error)) << error;
    Vitrine::Replay::SetStateHash(StateHash);
    EXPECT_EQ(PlayGame(), GameEnd::QuitToMenu);
    const Vitrine::Replay::Outcome outcome = Vitrine::Replay::ReplayOutcome();
    Vitrine::Replay::StopReplay();
    Vitrine::ReportFocusLoss(true);
    EXPECT_EQ(outcome.firstDifference, 0u);
    EXPECT_EQ(outcome.frames, other.frames.size());
}

// The command line and the recording reader: what they refuse, and why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "game/Options.h"
#include "window/VitrineReplay.h"

namespace {

using KerboImplementation::Options;
using KerboImplementation::ParseOptions;
using KerboImplementation::RunMode;

TEST(CommandLine, ModesFilesAndMistakes) {
    Options o;
    std::string error;
    ASSERT_TRUE(ParseOptions({}, o, error));
    EXPECT_EQ(o.mode, RunMode::Play);
    ASSERT_TRUE(ParseOptions({"--replay", "a.rec", "--paced"}, o, error)) << error;
    EXPECT_EQ(o.mode, RunMode::Replay);
    EXPECT_EQ(o.file, "a.rec");
    EXPECT_TRUE(o.paced);

    const std::vector<std::vector<std::string>> wrong = {
        {"--record"},                        // no file
        {"--timedemo", ""},                  // an empty file name
        {"--record", "a", "--replay", "b"},  // two modes
        {"--paced"},                         // paced what?
        {"--timedemo", "a", "--paced"},      // the timedemo is never paced
        {"-x"},
        {"replay.rec"},  // a file without an option
    };
    for (const auto& args : wrong) {
        EXPECT_FALSE(ParseOptions(args, o, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

TEST(CommandLine, LevelPacksToPlayCheckAndEdit) {
    Options o;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--levels", "pack", "--scale", "2"}, o, error)) << error;
    EXPECT_EQ(o.mode, RunMode::Play);
    EXPECT_EQ(o.levels, "pack");
    ASSERT_TRUE(ParseOptions({"--check-levels"}, o, error)) << error;
    EXPECT_EQ(o.mode, RunMode::CheckLevels);
    EXPECT_EQ(o.folder, "") << "the shipped levels";
    ASSERT_TRUE(ParseOptions({"--check-levels", "pack"}, o, error)) << error;
    EXPECT_EQ(o.folder, "pack");
    ASSERT_TRUE(ParseOptions({"--edit", "new pack"}, o, error)) << error;
    EXPECT_EQ(o.mode, RunMode::Edit);
    EXPECT_EQ(o.folder, "new pack");

    const std::vector<std::vector<std::string>> wrong = {
        {"--levels"},                           // no folder
        {"--edit", ""},                         // an empty one
        {"--levels", "pack", "--replay", "a"},  // a replay plays what was recorded
        {"--edit", "pack", "--check-levels"},   // two modes
        {"--check-levels", "pack", "--levels", "other"},
    };
    for (const auto& args : wrong) {
        EXPECT_FALSE(ParseOptions(args, o, error)) << args.front() << " " << args.back();
        EXPECT_FALSE(error.empty());
    }
}

class RecordingFile : public ::testing::Test {
  protected:
    void TearDown() override {
        Vitrine::Replay::StopReplay();
        ::unlink(path.c_str());
    }
    // The reader's verdict on a file holding `text`: "" when it is accepted.
    std::string Read(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        std::string error;
        return Vitrine::Replay::StartReplay(path, error) ? "" : error;
    }
    std::string path = ::testing::TempDir() + "recording-" + std::to_string(::getpid()) + ".kerborec";
};

TEST_F(RecordingFile, RefusesWhatIsNotARecordingAndPointsAtTheLine) {
    const std::string head = "kerbo-replay 2\nversion 1.0.0\n";
    EXPECT_EQ(Read(head + "e 3 0 88 0 0\nf 0000abcd\nm 05\nm 1f\nc 9\nend 9\n"), "");
    EXPECT_TRUE(Vitrine::Replay::Replaying());
    uint8_t moves = 0;
    EXPECT_TRUE(Vitrine::Replay::ReplayedMoves(moves) && moves == 0x05 &&
                Vitrine::Replay::ReplayedMoves(moves) && moves == 0x1f &&
                !Vitrine::Replay::ReplayedMoves(moves))
        << "the frames' moves come back in their order, and then no more";
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().recordedFrames, 1u);
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().version, "1.0.0");

    EXPECT_NE(Read(""), "");
    EXPECT_NE(Read("kerbo-replay 4\nversion 1\n").find("line 1"), std::string::npos);
    EXPECT_NE(Read("kerbo-replay 2\n").find("incomplete"), std::string::npos);
    EXPECT_NE(Read(head + "e 5 0 88 0 0\ne 4 0 88 0 0\n").find("line 4"), std::string::npos)
        << "points go back";
    EXPECT_NE(Read(head + "e 0 0 88 0 0\n"), "") << "there is no point 0";
    EXPECT_NE(Read(head + "e 3 99 88 0 0\n"), "") << "no such kind of event";
    EXPECT_NE(Read(head + "e 3 -1 88 0 0\n"), "");
    EXPECT_NE(Read(head + "e 3 0 88\n"), "") << "fields missing";
    EXPECT_NE(Read(head + "f xyz\n"), "");
    EXPECT_NE(Read(head + "end 5\ne 6 0 88 0 0\n").find("after the end"), std::string::npos);
    EXPECT_NE(Read(head + "e 7 0 88 0 0\nend 5\n"), "") << "the end before the last event";
    EXPECT_NE(Read(head + "quit\n").find("unknown"), std::string::npos);
    EXPECT_NE(Read(head + "m 100\n"), "") << "moves are one byte";
    EXPECT_NE(Read("kerbo-replay 1\nversion 1.0.0\nend 3\n").find("earlier version"), std::string::npos)
        << "events numbered by the input points of an earlier version would replay another game";
    EXPECT_FALSE(Vitrine::Replay::Replaying()) << "a refused file leaves plain input in force";
}

TEST_F(RecordingFile, RefusesNegativeAndOutOfRangeNumbersAndReadsCrLf) {
    const std::string head = "kerbo-replay 2\r\nversion 1.0.0\r\n";
    EXPECT_EQ(Read(head + "e 3 0 88 -5 2147483647\r\nf 0000abcd\r\nend 9\r\n"), "");
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().version, "1.0.0");
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().recordedFrames, 1u);
    const std::pair<std::string, std::string> wrong[] = {
        {"c -1", "line 3: a malformed close: '-1' is negative"},
        {"end -1", "line 3: a malformed end: '-1' is negative"},
        {"e -3 0 88 0 0", "line 3: a malformed event: '-3' is negative"},
        {"c 18446744073709551615",
         "line 3: a malformed close: '18446744073709551615' is out of range (at most "
         "9223372036854775807)"},
        {"e 3 0 4294967296 0 0",
         "line 3: a malformed event: '4294967296' is out of range (at most 4294967295)"},
        {"e 3 0 88 0 -2147483649", "line 3: a malformed event: '-2147483649' is out of range"},
        {"f 100000000", "line 3: a malformed frame: '100000000' is out of range (at most ffffffff)"},
        {"e 3 0 88 0 0 1", "line 3: a malformed event (it has 5 numbers)"},
    };
    for (const auto& [line, says] : wrong) EXPECT_EQ(Read(head + line + "\n"), path + ": " + says);
}

// The settings a run started with go after the version and come back in
// order; a recording without them (as every older one) has none.
TEST_F(RecordingFile, CarriesTheSettingsTheRunStartedWith) {
    std::string error;
    ASSERT_TRUE(Vitrine::Replay::StartRecording(path, "1.0.0", error, {{"difficulty", "hard"}, {"x", "1"}}));
    ASSERT_TRUE(Vitrine::Replay::StopRecording(error)) << error;
    std::ifstream in(path);
    std::string header, version, first;
    std::getline(in, header), std::getline(in, version), std::getline(in, first);
    EXPECT_EQ(first, "setting difficulty hard");
    ASSERT_TRUE(Vitrine::Replay::StartReplay(path, error)) << error;
    const std::vector<Vitrine::Replay::Setting> expected = {{"difficulty", "hard"}, {"x", "1"}};
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().settings, expected);

    const std::string head = "kerbo-replay 2\nversion 1.0.0\n";
    EXPECT_EQ(Read(head + "e 3 0 88 0 0\nend 3\n"), "");
    EXPECT_TRUE(Vitrine::Replay::ReplayOutcome().settings.empty());
    EXPECT_NE(Read(head + "setting difficulty\n"), "") << "no value";
    EXPECT_NE(Read(head + "setting difficulty very hard\n"), "") << "one word each";
}

TEST_F(RecordingFile, ARunCutShortReplaysWhatThereIs) {
    EXPECT_EQ(Read("kerbo-replay 2\nversion 1.0.0\ne 3 0 88 0 0\nf 00000001\nf 00000002\n"), "");
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().recordedFrames, 2u);
    // Nothing was replayed: the first frame counts as the first difference.
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().firstDifference, 1u);
    EXPECT_TRUE(Vitrine::Replay::ReplayOutcome().cutShort);
    // Cut inside a frame's line: the cut hash is no frame.
    EXPECT_EQ(Read("kerbo-replay 2\nversion 1.0.0\nf 00000001\nf 0000"), "");
    EXPECT_EQ(Vitrine::Replay::ReplayOutcome().recordedFrames, 1u);
    EXPECT_TRUE(Vitrine::Replay::ReplayOutcome().cutShort);
    EXPECT_EQ(Read("kerbo-replay 2\nversion 1.0.0\nf 00000001\nend 0"), "");
    EXPECT_FALSE(Vitrine::Replay::ReplayOutcome().cutShort);
}

}  // namespace

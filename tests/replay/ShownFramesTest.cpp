// The window shows exactly the game's picture after every frame it shows,
// though frames are handed over, uploaded and presented only where they
// changed, and images are drawn again only where the buffer lost them: the
// committed recordings replayed headless at scale 1 and 2, with what the
// window presented read back after each shown frame and compared with the
// whole buffer as the game handed it over, and every image compared with the
// buffer after it was drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "game/Replay.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace {

namespace fs = std::filesystem;
namespace T = Vitrine::Testing;

// The whole game as fast as it goes; the short one at the game's own pace by
// the stepped clock, so that it too shows a good many frames, on any machine.
bool Paced(const std::string& recording) {
    return recording == "quit";
}

// Replays a recording at `scale` with every shown frame checked, and ends
// the process: status 0 when the run and every check went right, else 1 with
// the reason on the error stream. A recording counts its input points from
// the program's start, so each replay runs in a process of its own.
[[noreturn]] void ReplayChecked(const std::string& name, uint32_t scale) {
    Vitrine::SetWindowScale(scale);
    T::CheckShownFrames(true);
    T::UseSteppedClock(Paced(name));
    const int status = KerboImplementation::ReplaySession(
        (fs::path(KERBO_RECORDINGS_DIR) / (name + ".kerborec")).string(), Paced(name));
    std::string wrong;
    if (status != 0) wrong += "the replay went another way than the recording; ";
    if (T::ShownFramesChecked() < 5)
        wrong += "only " + std::to_string(T::ShownFramesChecked()) + " frames checked; ";
    if (T::ShownFramesWrong() != 0)
        wrong += std::to_string(T::ShownFramesWrong()) + " of " + std::to_string(T::ShownFramesChecked()) +
                 " frames shown wrong; ";
    if (T::FramesShownInParts() == 0) wrong += "no frame was shown in parts; ";
    if (T::ImagesDrawnWrong() != 0) wrong += std::to_string(T::ImagesDrawnWrong()) + " images drawn wrong; ";
    std::fprintf(stderr, "%s\n", wrong.empty() ? "all well" : wrong.c_str());
    std::fflush(nullptr);
    std::_Exit(wrong.empty() ? 0 : 1);
}

class ShownFrames : public ::testing::TestWithParam<std::tuple<const char*, uint32_t>> {};

TEST_P(ShownFrames, AreTheWholePictureHandedOver) {
    const auto [name, scale] = GetParam();
    const fs::path data = KERBO_DATA_DIR, recordings = KERBO_RECORDINGS_DIR;
    if (!fs::exists(data / "Images")) GTEST_SKIP() << "no generated data folder at " << data;
    // A copy of the data folder with the table the recordings started from.
    const fs::path folder = fs::temp_directory_path() / ("kerbo-shown-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const fs::directory_entry& entry : fs::directory_iterator(data)) {
        const fs::path file = entry.path().filename();
        if (file != "Highscores.txt") fs::create_symlink(entry.path(), folder / file);
    }
    fs::copy_file(recordings / "Highscores.txt", folder / "Highscores.txt");
    const fs::path home = fs::current_path();
    fs::current_path(folder);
    EXPECT_EXIT(ReplayChecked(name, scale), ::testing::ExitedWithCode(0), "all well");
    fs::current_path(home);
    fs::remove_all(folder);
}

// The whole game once; both scales on the short recording, which shows the
// game screen, the pause screen and the menus too.
INSTANTIATE_TEST_SUITE_P(Recordings, ShownFrames,
                         ::testing::Values(std::make_tuple("game", 1u), std::make_tuple("quit", 1u),
                                           std::make_tuple("quit", 2u)),
                         [](const auto& run) {
                             return std::string(std::get<0>(run.param)) + "_scale" +
                                    std::to_string(std::get<1>(run.param));
                         });

}  // namespace

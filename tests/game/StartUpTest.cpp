// The program without a display, on SDL's own drivers: the one front-end test
// that needs the real window layer to fail.
#include <cstdlib>

#include <gtest/gtest.h>

#include "game/KerboImplementation.h"

namespace {

TEST(StartUp, NoWindowMeansAMessageAndStatusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            KerboImplementation::TotalProgram();
        },
        testing::ExitedWithCode(1), "Can't create window\\.");
}

}  // namespace

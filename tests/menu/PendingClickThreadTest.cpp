// The pending click is written by the window layer's callback and taken by
// the menus; whatever thread the callback runs on, every click is taken
// exactly once and never half written.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "menu/StandardMenu.h"

namespace {

using namespace StandardMenu;

TEST(PendingClick, HandedBetweenThreadsWithoutLossOrDoubles) {
    ClearPendingClick();
    ButtonRc button;
    button.x0 = 0;
    button.y0 = 0;
    button.width = 1000;
    button.height = 1000;
    button.visible = true;

    constexpr uint64_t Clicks = 500;
    const uint64_t start = ClicksTaken();
    std::atomic<bool> stop{false};
    std::thread clicker([&] {
        for (uint64_t i = 0; i < Clicks && !stop; ++i) {
            // Both coordinates from the same click: a torn record would fall outside.
            const int32_t v = static_cast<int32_t>(1 + i % 998);
            RegisterLeftClick(v, v);
            while (ClicksTaken() - start <= i && !stop) std::this_thread::yield();
        }
    });
    uint64_t selected = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (selected < Clicks && std::chrono::steady_clock::now() < until) {
        if (ButtonSelected(button)) ++selected;
        ClickRc c;
        if (PendingClick(c)) {
            EXPECT_EQ(c.x, c.y);
        }
    }
    stop = true;
    clicker.join();
    EXPECT_EQ(selected, Clicks);
    EXPECT_EQ(ClicksTaken() - start, Clicks);
    ClickRc c;
    EXPECT_FALSE(PendingClick(c));
}

}  // namespace

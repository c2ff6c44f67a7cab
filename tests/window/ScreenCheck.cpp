// An end-to-end check of the real window in an X server (run under xvfb-run):
// draws a known picture, takes a screenshot with ImageMagick's `import` and
// checks pixels of it; then types a key and drags the mouse out of the window
// with xdotool and checks what the game reads; hides and shows the window, and
// draws under a note, and checks the screen again. Exit status 0 when all is
// well.
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    std::cout << (ok ? "ok   " : "FAIL ") << what << std::endl;
    if (!ok) ++gFailures;
}

// A screenshot as 0x00RRGGBB pixels.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0xFFFFFFFFu : rgb[size_t(y) * width + x];
    }
};

// Reads a binary PPM (P6, 8 bits per channel).
bool ReadPpm(const std::string& file, Shot& shot) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    in >> magic;
    if (magic != "P6") return false;
    int values[3];
    for (int& value : values) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
        in >> value;
    }
    in.get();
    shot.width = values[0];
    shot.height = values[1];
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (values[2] != 255 || bytes.size() < size_t(shot.width) * shot.height * 3) return false;
    shot.rgb.resize(size_t(shot.width) * shot.height);
    for (size_t i = 0; i < shot.rgb.size(); ++i) {
        shot.rgb[i] = uint32_t(bytes[3 * i]) << 16 | uint32_t(bytes[3 * i + 1]) << 8 | bytes[3 * i + 2];
    }
    return true;
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Waits (letting input arrive) until `done` holds, at most about two seconds.
template <typename Condition>
bool WaitFor(Condition done) {
    for (int i = 0; i < 100 && !done(); ++i) {
        Vitrine::UpdateWindow();
        Vitrine::Delay(20);
    }
    return done();
}

int32_t gReleaseX = -1, gReleaseY = -1;
void OnRelease(int32_t x, int32_t y) {
    gReleaseX = x, gReleaseY = y;
}

// Layer colours are 0x00BBGGRR.
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kMagenta = 0xFF00FF,
                   kCyan = 0xFFFF00, kBackground = 0x403020;

void DrawPicture() {
    Vitrine::Rectangle(0, 0, 799, 499, kBackground, true);
    Vitrine::Rectangle(0, 0, 3, 3, kMagenta, true);
    Vitrine::Rectangle(796, 496, 799, 499, kCyan, true);
    Vitrine::Rectangle(100, 100, 199, 199, kRed, true);
    Vitrine::Rectangle(300, 100, 399, 199, kGreen, true);
    Vitrine::Rectangle(500, 100, 599, 199, kBlue, true);
    Vitrine::Rectangle(100, 300, 199, 399, 0xFFFFFF, false);
    Vitrine::SetFont(1, 0xC0C0C0);
    Vitrine::Text("KERBO anno 2011", 300, 300);
}

// The window's top-left corner on the screen, found by its two corner marks; -1, -1 if absent.
std::pair<int, int> FindWindow(const Shot& shot) {
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (shot.At(x, y) == 0xFF00FF && shot.At(x + 799, y + 499) == 0x00FFFF) return {x, y};
        }
    }
    return {-1, -1};
}

// A screenshot of the whole screen into `file` and `shot`; a failed one is
// reported as `what` failing.
bool TakeShot(const std::string& file, const std::string& what, Shot& shot) {
    if (Run("import -window root -depth 8 " + file) && ReadPpm(file, shot)) return true;
    Check(false, what);
    return false;
}

// Checks the picture on the screen; returns where the window is (-1, -1: not found).
std::pair<int, int> CheckPicture(const std::string& file) {
    Shot shot;
    if (!TakeShot(file, "screenshot taken", shot)) return {-1, -1};
    auto [ox, oy] = FindWindow(shot);
    Check(ox >= 0, "window found on the screen, 800 x 500");
    if (ox < 0) return {ox, oy};
    std::cout << "     window at " << ox << "," << oy << "\n";
    Check(shot.At(ox + 150, oy + 150) == 0xFF0000, "red square");
    Check(shot.At(ox + 350, oy + 150) == 0x00FF00, "green square");
    Check(shot.At(ox + 550, oy + 150) == 0x0000FF, "blue square");
    Check(shot.At(ox + 100, oy + 350) == 0xFFFFFF && shot.At(ox + 150, oy + 350) == 0x203040,
          "outlined square keeps its inside");
    Check(shot.At(ox + 799, oy + 250) == 0x203040 && shot.At(ox + 800, oy + 250) != 0x203040 &&
              shot.At(ox + 250, oy + 499) == 0x203040 && shot.At(ox + 250, oy + 500) != 0x203040,
          "client area of exactly 800 x 500");
    int grey = 0;
    for (int y = 300; y < 320; ++y) {
        for (int x = 300; x < 440; ++x) grey += shot.At(ox + x, oy + y) == 0xC0C0C0;
    }
    Check(grey > 30, "text drawn");
    Check(Run("xdotool search --name '^KERBO anno 2011$' > /dev/null"), "window titled KERBO anno 2011");
    return {ox, oy};
}

// Hides and shows the window again; it must come back with its picture
// although the game draws nothing in between.
void CheckRepaint(const std::string& file, int ox, int oy) {
    Run("xdotool search --name '^KERBO anno 2011$' windowunmap --sync");
    Run("xdotool search --name '^KERBO anno 2011$' windowmap --sync");
    Vitrine::Delay(300);
    Shot shot;
    if (!TakeShot(file, "second screenshot taken", shot)) return;
    Check(shot.At(ox + 150, oy + 150) == 0xFF0000 && shot.At(ox + 550, oy + 150) == 0x0000FF,
          "uncovered window shows its picture again");
}

// A change drawn while a note covers part of it is on the screen once the
// note is gone, under the note's place and beside it, not the picture from
// before (the window's own pixels and its texture must agree).
void CheckUnderNote(const std::string& file, int ox, int oy) {
    const uint64_t inParts = Vitrine::Testing::FramesShownInParts();
    Vitrine::Rectangle(250, 230, 549, 269, kRed, true);
    Vitrine::UpdateWindow();
    Vitrine::Delay(200);
    Check(Vitrine::Testing::FramesShownInParts() > inParts, "a small change is shown in parts");
    Vitrine::ShowNote("Sound off", 240);
    Vitrine::Delay(100);
    Vitrine::Rectangle(250, 230, 549, 269, kBlue, true);
    Vitrine::UpdateWindow();
    WaitFor([] { return false; });  // the note's second and more
    Shot shot;
    if (!TakeShot(file, "screenshot after the note taken", shot)) return;
    Check(shot.At(ox + 400, oy + 250) == 0x0000FF && shot.At(ox + 260, oy + 235) == 0x0000FF,
          "a change drawn under a note shows once the note is gone");
}

void CheckInput(int ox, int oy) {
    auto at = [&](int x, int y) { return " " + std::to_string(ox + x) + " " + std::to_string(oy + y); };

    Run("xdotool mousemove" + at(400, 250));
    Run("xdotool keydown x");
    bool held = WaitFor([] { return Vitrine::KeyDown(Vitrine::KEY_X); });
    Check(held, "X held reads as KeyDown(KEY_X)");
    Run("xdotool keyup x");
    Check(WaitFor([] { return !Vitrine::KeyDown(Vitrine::KEY_X); }), "X released");
    if (held) Check(Vitrine::GetKey() == Vitrine::KEY_X, "X queued");

    Vitrine::OnMouseLeftUp(OnRelease);
    Run("xdotool mousemove" + at(50, 50));
    Run("xdotool mousedown 1");
    Run("xdotool mousemove" + at(-3, 20));
    int32_t x = 0, y = 0;
    bool dragged = WaitFor([&] {
        Vitrine::MousePos(x, y);
        return x == 65533;
    });
    Check(dragged && y == 20, "drag 3 pixels left of the window reads 65533, 20 (read " + std::to_string(x) +
                                  ", " + std::to_string(y) + ")");
    Run("xdotool mouseup 1");
    Check(WaitFor([] { return gReleaseX >= 0; }) && gReleaseX == 65533 && gReleaseY == 20,
          "left release outside calls back with 65533, 20");
}

}  // namespace

int main() {
    if (!Vitrine::Window("KERBO anno 2011", 800, 500)) {
        std::cerr << "Can't create window. " << Vitrine::LastError() << "\n";
        return 1;
    }
    Vitrine::SetBuffering(true);
    DrawPicture();
    Vitrine::UpdateWindow();
    Vitrine::Delay(500);
    Vitrine::UpdateWindow();
    Vitrine::Delay(300);
    std::string file = "window-screen-check.ppm";
    auto [ox, oy] = CheckPicture(file);
    if (ox >= 0) CheckInput(ox, oy);
    if (ox >= 0) CheckRepaint(file, ox, oy);
    if (ox >= 0) CheckUnderNote(file, ox, oy);
    std::remove(file.c_str());
    Vitrine::KillWindow();
    std::cout << (gFailures ? "FAILED\n" : "PASSED\n");
    return gFailures ? 1 : 0;
}

// The rule state as text (see StateDump.h).
#include "game/StateDump.h"

#include <cstdio>

#include "game/KerboImplementation.h"

namespace KerboImplementation {

namespace {

FrameWatcher gWatcher = nullptr;

// The name of a picture's role.
const char* PictureName(Picture picture) {
    static const char* const names[PictureCount] = {
        "none",
        "passage",
        "wall",
        "shaft",
        "shaft-top",
        "ceiling",
        "trampoline-green",
        "trampoline-blue",
        "trampoline-yellow",
        "trampoline-red",
        "door-left-open",
        "door-left-closed",
        "door-right-open",
        "door-right-closed",
        "shock-left-open",
        "shock-left-closed",
        "shock-right-open",
        "shock-right-closed",
        "item1",
        "item2",
        "item3",
        "item4",
        "item5",
        "oska-left1",
        "oska-left2",
        "oska-right1",
        "oska-right2",
    };
    return names[static_cast<std::size_t>(picture)];
}

struct Writer {
    std::string text;
    void Put(const char* name, double v) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%s=%a ", name, v);
        text += buffer;
    }
    void Put(const char* name, uint32_t v) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%s=%u ", name, v);
        text += buffer;
    }
    void Put(const char* name, bool v) { Put(name, static_cast<uint32_t>(v)); }
    void Put(const char* name, const char* v) {
        text += name;
        text += '=';
        text += v;
        text += ' ';
    }
    void Line() { text += '\n'; }
};

uint32_t N(auto v) {
    return static_cast<uint32_t>(v);
}

}  // namespace

std::string DumpState() {
    Writer w;
    w.Put("score", Score), w.Put("lives", Lifes), w.Put("level", ActualLevel), w.Put("jumps", Jumps);
    w.Put("items", ItemsTotal), w.Put("found", ItemsFound), w.Put("pause", Pause);
    w.Put("catspeed", double(RelativeSpeedCatX)), w.Put("difficulty", N(LevelDifficulty));
    w.Put("trampx", double(TrampolineX)), w.Put("trampy", double(TrampolineY));
    w.Put("seed", World.Seed), w.Put("cats", CurrentAmountOfEnemy);
    w.Put("end", N(World.End)), w.Put("endframes", World.EndFrames), w.Put("startscore", World.ScoreAtStart);
    w.Line();
    w.Put("man.x", double(Man.x)), w.Put("y", double(Man.y)), w.Put("fall", Man.HaveToFall);
    w.Put("control", Man.Controlable), w.Put("tx", double(Man.TargetX)), w.Put("ty", double(Man.TargetY));
    w.Put("hit", Man.Hit), w.Put("walk", Man.PersonalWalkTime), w.Put("picture", PictureName(Man.Look));
    w.Line();
    for (uint32_t i = 1; i <= MaxEnemies; ++i) {
        const Enemy& cat = EnemyArr[i];
        if (!cat.StillExisting && i > CurrentAmountOfEnemy) continue;
        w.Put("cat", i), w.Put("x", double(cat.x)), w.Put("y", double(cat.y)), w.Put("fall", cat.HaveToFall);
        w.Put("control", cat.Controlable), w.Put("on", cat.StillExisting), w.Put("dir", N(cat.Direction));
        w.Put("floor", double(cat.FloorHeight)), w.Put("shocked", cat.HitByShock);
        w.Line();
    }
    w.Put("waves", AllShockWaves.NumberOfWaves);
    w.Line();
    for (uint32_t k = 1; k <= MaxWaves; ++k) {
        const ShockWave& wave = AllShockWaves.Waves[k];
        if (!wave.StillExisting && k > AllShockWaves.NumberOfWaves) continue;
        w.Put("wave", k), w.Put("x", double(wave.x)), w.Put("y", double(wave.y));
        w.Put("on", wave.StillExisting), w.Put("dir", N(wave.Direction));
        w.Line();
    }
    for (uint32_t row = 1; row <= Rows; ++row) {
        for (uint32_t column = 1; column <= Columns; ++column) {
            const Blok& cell = House[row][column];
            w.text += "pwendDsStci"[N(cell.Initial)];
            w.text += cell.DoorOpen ? "+" : "";
            if (cell.Initial == Initial::i || cell.Points != 0) {
                w.text += std::to_string(N(cell.WhichItem) + 1) + ":" + std::to_string(cell.Points);
            }
            w.text += "(";
            w.text += PictureName(cell.Look);
            w.text += ") ";
        }
        w.Line();
    }
    return w.text;
}

uint32_t DumpHash(const std::string& text) {
    uint32_t h = 2166136261u;
    for (unsigned char c : text) h = (h ^ c) * 16777619u;
    return h;
}

void SetFrameWatcher(FrameWatcher watcher) {
    gWatcher = watcher;
}

void WatchFrame(bool frameEnd) {
    if (gWatcher) gWatcher(frameEnd);
}

}  // namespace KerboImplementation

// The game's state as one number (FNV-1a over its fields), written for every
// frame of a recording so that a replay finds the first frame that went
// another way.
#include <cstring>

#include "game/KerboImplementation.h"
#include "game/StateHash.h"
#include "util/StandardLib.h"

namespace KerboImplementation {

namespace {

struct Fnv {
    uint64_t h = 1469598103934665603ull;
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
    }
};

// The role numbers the hash has always given the pictures whose changes
// matter to the rules; every other picture counts alike.
uint8_t Role(Picture picture) {
    switch (picture) {
        case Picture::OskaLeft1:
            return 0;
        case Picture::OskaRight1:
            return 1;
        case Picture::OskaLeft2:
            return 2;
        case Picture::OskaRight2:
            return 3;
        case Picture::TrampolineGreen:
            return 4;
        case Picture::TrampolineBlue:
            return 5;
        case Picture::TrampolineYellow:
            return 6;
        case Picture::TrampolineRed:
            return 7;
        case Picture::Shaft:
            return 8;
        default:
            return 0xFF;
    }
}

}  // namespace

uint32_t StateHash() {
    Fnv f;
    f.Add(Score), f.Add(Lifes), f.Add(ActualLevel), f.Add(Jumps), f.Add(ItemsTotal), f.Add(ItemsFound);
    f.Add(Pause), f.Add(RelativeSpeedCatX), f.Add(LevelDifficulty), f.Add(TrampolineX), f.Add(TrampolineY);
    f.Add(StandardLib::CurrentSeed());
    f.Add(PlayerName);
    f.Add(Man.x), f.Add(Man.y), f.Add(Man.HaveToFall), f.Add(Man.Controlable), f.Add(Man.TargetX);
    f.Add(Man.TargetY), f.Add(Man.Hit), f.Add(Man.PersonalWalkTime), f.Add(Role(Man.Look));
    f.Add(CurrentAmountOfEnemy);
    for (uint32_t i = 1; i <= CurrentAmountOfEnemy && i <= MaxEnemies; ++i) {
        const Enemy& cat = EnemyArr[i];
        f.Add(cat.x), f.Add(cat.y), f.Add(cat.HaveToFall), f.Add(cat.Controlable), f.Add(cat.StillExisting);
        f.Add(cat.Direction), f.Add(cat.FloorHeight), f.Add(cat.HitByShock);
    }
    f.Add(AllShockWaves.NumberOfWaves);
    for (const ShockWave& wave : AllShockWaves.Waves) {
        f.Add(wave.x), f.Add(wave.y), f.Add(wave.StillExisting), f.Add(wave.Direction);
    }
    for (const auto& row : House) {
        for (const Blok& cell : row) {
            f.Add(cell.Initial), f.Add(Role(cell.Look)), f.Add(cell.DoorOpen), f.Add(cell.WhichItem),
                f.Add(cell.Points);
        }
    }
    return static_cast<uint32_t>(f.h ^ (f.h >> 32));
}

}  // namespace KerboImplementation

// The game's state as one number (FNV-1a over every field of the game in
// play, the generator's seed and the player's name), written for every frame
// of a recording so that a replay finds the first frame that went another
// way. Each record is taken apart whole: a field added to the state and not
// named here stops the build.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "game/KerboImplementation.h"
#include "game/StateHash.h"

namespace KerboImplementation {

namespace {

struct Fnv {
    uint64_t h = 1469598103934665603ull;
    template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
    }
    template <typename... T>
    void All(const T&... values) {
        (Add(values), ...);
    }
};

void Add(Fnv& f, const Blok& cell) {
    const auto& [initial, look, open, which, points] = cell;
    f.All(initial, look, open, which, points);
}

void Add(Fnv& f, const Personage& man) {
    const auto& [x, y, fall, look, control, tx, ty, hit, walk] = man;
    f.All(x, y, fall, look, control, tx, ty, hit, walk);
}

void Add(Fnv& f, const Enemy& cat) {
    const auto& [x, y, fall, control, on, tx, ty, direction, floor, shocked] = cat;
    f.All(x, y, fall, control, on, tx, ty, direction, floor, shocked);
}

void Add(Fnv& f, const ShockWave& wave) {
    const auto& [x, y, on, direction] = wave;
    f.All(x, y, on, direction);
}

void Add(Fnv& f, char letter) {
    f.Add(letter);
}

template <typename T, std::size_t N>
void Add(Fnv& f, const Array1<T, N>& items) {
    for (const T& item : items) Add(f, item);
}

}  // namespace

uint32_t StateHash(uint32_t format) {
    Fnv f;
    const auto& [game, house, man, cats, catsInPlay, waves, score, lifes, level, jumps, items, found, pause,
                 speed, difficulty, trampolineX, trampolineY, levelCount, held, holdFrames, cardFrames, end,
                 endFrames, scoreAtStart, seed] = World;
    // The levels in play and the house come first and rarely change: their
    // part of the hash is kept, which gives the same number as hashing them
    // again. Copies are compared as bytes (padding too: a difference there
    // only costs hashing them anew).
    static_assert(sizeof(TotalGame) == MostLevels * Rows * Columns, "letters only: compared as bytes");
    static_assert(std::is_trivially_copyable_v<std::remove_cvref_t<decltype(house)>>);
    static TotalGame hashedGame;
    static std::remove_cvref_t<decltype(house)> hashedHouse;
    static uint64_t afterHouse = 0;
    static bool kept = false;
    if (!kept || std::memcmp(&hashedGame, &game, sizeof game) != 0 ||
        std::memcmp(&hashedHouse, &house, sizeof house) != 0) {
        Add(f, game);
        Add(f, house);
        std::memcpy(&hashedGame, &game, sizeof game);
        std::memcpy(&hashedHouse, &house, sizeof house);
        afterHouse = f.h;
        kept = true;
    }
    f.h = afterHouse;
    Add(f, man);
    if (format <= 2) {
        Add(f, cats);
    } else {
        // Slots past the level's cats are never in play; hashing all 300 cost
        // more than the rest of a frame of play.
        const std::size_t inPlay = std::min<std::size_t>(catsInPlay, MaxEnemies);
        for (std::size_t k = 1; k <= inPlay; ++k) Add(f, cats[k]);
    }
    const auto& [waveCount, waveSlots] = waves;
    f.All(catsInPlay, waveCount);
    Add(f, waveSlots);
    f.All(score, lifes, level, jumps, items, found, pause, speed, difficulty, trampolineX, trampolineY,
          levelCount, held, holdFrames, cardFrames, end, endFrames, scoreAtStart, seed);
    for (char c : PlayerName) f.Add(c);
    return static_cast<uint32_t>(f.h ^ (f.h >> 32));
}

}  // namespace KerboImplementation

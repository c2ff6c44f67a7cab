// The keys of play the player may choose (walk left, walk right, the door,
// pause): their names as the settings file, the settings screen and the
// Controls screen write them, and which keys can't be chosen. The gamepad
// keeps its own buttons whatever keys are chosen.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/KeyCodes.h"

namespace KerboImplementation {

enum class Move : uint8_t { Left, Right, Door, Pausing };
inline constexpr std::array<Move, 4> AllMoves{Move::Left, Move::Right, Move::Door, Move::Pausing};

struct MoveKeys {
    std::array<uint32_t, 4> keys{Vitrine::KEY_LEFT, Vitrine::KEY_RIGHT, Vitrine::KEY_X, Vitrine::KEY_P};
    uint32_t& operator[](Move m) { return keys[static_cast<std::size_t>(m)]; }
    uint32_t operator[](Move m) const { return keys[static_cast<std::size_t>(m)]; }
    bool operator==(const MoveKeys&) const = default;
};

// The keys in force in play (the defaults until the settings are read).
extern MoveKeys PlayKeys;

// "key-left", "key-right", "key-door", "key-pause": the settings file's names.
const char* MoveSettingName(Move move);
// "Walk left", ...: the settings screen's names.
const char* MoveName(Move move);

// A key's name ("Left", "A", "Space", "7", ...); "" for a key that has none
// and so can't be chosen.
std::string KeyName(uint32_t key);
// The key of that name; false for a name no key has.
bool KeyNamed(std::string_view name, uint32_t& key);

// "" when `key` may be chosen for `move` with the other keys as in `keys`,
// else the one line that says why not.
std::string WhyNotChosen(uint32_t key, Move move, const MoveKeys& keys);

}  // namespace KerboImplementation

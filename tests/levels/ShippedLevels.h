// Where the tests find the shipped level files: levels/ in the source tree
// (ctest passes KERBO_SOURCE_DIR; a direct run uses the path built in).
#pragma once

#include <cstdlib>
#include <string>

namespace LevelCheck {

inline std::string LevelPath(int number) {
    const char* dir = std::getenv("KERBO_SOURCE_DIR");
    const std::string root = dir != nullptr && *dir != '\0' ? dir : KERBO_DEFAULT_SOURCE_DIR;
    return root + "/levels/level" + std::to_string(number) + ".txt";
}

inline std::string LevelName(int number) {
    return "level" + std::to_string(number) + ".txt";
}

}  // namespace LevelCheck

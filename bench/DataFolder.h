// Where the benchmarks find the generated data: KERBO_DATA_DIR, else the
// data folder beside the benchmark's own folder (build/data for build/bench).
#pragma once

#include <cstdlib>
#include <filesystem>

namespace Bench {

inline std::filesystem::path DataFolder() {
    if (const char* dir = std::getenv("KERBO_DATA_DIR")) return dir;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("data") : self.parent_path().parent_path() / "data";
}

}  // namespace Bench

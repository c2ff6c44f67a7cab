// Saving a pack's level files all or nothing, and finishing saves that were
// killed half way; see PackSaves.h.
#include "game/PackSaves.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "game/LevelPacks.h"
#include "util/FileLock.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

// Makes renames and removals in `folder` durable.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Moves a complete staging folder's files (levels, pack.txt) into the pack and
// removes the levels past its count; safe to run again after it was cut short.
std::string Switch(const fs::path& folder, const fs::path& staged) {
    std::string count;
    const StandardLib::FileRead read =
        StandardLib::ReadSmallFile((staged / PackCountFile).string(), 16, count);
    const uint32_t levels = read.ok ? static_cast<uint32_t>(std::strtoul(count.c_str(), nullptr, 10)) : 0;
    std::error_code error;
    for (uint32_t k = 1; k <= MostLevels; ++k) {
        const fs::path from = staged / LevelFileName(k);
        if (!fs::exists(from, error)) continue;
        fs::rename(from, folder / LevelFileName(k), error);
        if (error) return "can't move " + from.string() + " into place (" + error.message() + ")";
    }
    const fs::path info = staged / PackInfoFile;
    if (fs::exists(info, error)) {
        fs::rename(info, folder / PackInfoFile, error);
        if (error) return "can't move " + info.string() + " into place (" + error.message() + ")";
    }
    for (uint32_t k = MostLevels; levels != 0 && k > levels; --k) {
        fs::remove(folder / LevelFileName(k), error);
        if (error) return "can't remove " + LevelPath(folder.string(), k) + " (" + error.message() + ")";
    }
    SyncFolder(folder);
    fs::remove_all(staged, error);
    return {};
}

}  // namespace

std::string PackLockFile(const std::string& folder) {
    return (fs::path(folder) / ".pack").string();
}

std::string SavePackFiles(const std::string& folder, const std::map<uint32_t, std::string>& changed,
                          uint32_t count, const std::string* packInfo) {
    const fs::path pack(folder);
    std::string staging = StandardLib::ScratchPattern((pack / PackStagingPrefix).string());
    if (::mkdtemp(staging.data()) == nullptr) {
        return "can't save in " + folder + " (" + std::strerror(errno) + ")";
    }
    const fs::path staged(staging);
    std::error_code ignored;
    const auto fail = [&](const std::string& why) {
        fs::remove_all(staged, ignored);
        return why;
    };
    for (const auto& [k, text] : changed) {
        std::string why;
        if (!StandardLib::TryWriteFileAtomically((staged / LevelFileName(k)).string(), text, why)) {
            return fail("can't save " + LevelPath(folder, k) + " (" + why + ")");
        }
    }
    std::string why;
    if (packInfo && !StandardLib::TryWriteFileAtomically((staged / PackInfoFile).string(), *packInfo, why)) {
        return fail("can't save " + (pack / PackInfoFile).string() + " (" + why + ")");
    }
    if (!StandardLib::TryWriteFileAtomically((staged / PackCountFile).string(), std::to_string(count) + "\n",
                                             why)) {
        return fail("can't save in " + folder + " (" + why + ")");
    }
    // The switch: from here on the new pack is the one that counts.
    const std::string name = staged.filename().string();
    const fs::path switching = pack / (PackSwitchingPrefix + name.substr(std::strlen(PackStagingPrefix)));
    std::error_code error;
    fs::rename(staged, switching, error);
    if (error) return fail("can't save in " + folder + " (" + error.message() + ")");
    SyncFolder(pack);
    return Switch(pack, switching);
}

void FinishPackSaves(const std::string& folder) {
    std::vector<fs::path> unfinished, abandoned;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t saving = name.find(".saving-");
        if (StandardLib::LeftByEndedProcess(name, PackSwitchingPrefix)) {
            unfinished.push_back(it->path());
        } else if (StandardLib::LeftByEndedProcess(name, PackStagingPrefix) ||
                   (name.starts_with("level") && saving != std::string::npos &&
                    StandardLib::LeftByEndedProcess(name, name.substr(0, saving + 8)))) {
            abandoned.push_back(it->path());
        }
    }
    if (unfinished.empty() && abandoned.empty()) return;
    const StandardLib::FileLock lock(PackLockFile(folder));
    for (const fs::path& path : abandoned) fs::remove_all(path, error);
    for (const fs::path& path : unfinished) Switch(folder, path);
}

}  // namespace KerboImplementation

// Removing scratch folders at the program's end, and telling leftovers of
// ended processes; see Leftovers.h.
#include "util/Leftovers.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace StandardLib {

namespace {

std::mutex gLock;
std::vector<std::string> gFolders;
std::mutex gTasksLock;
std::vector<std::pair<std::string, std::function<void()>>> gTasks;

void RemoveAll() {
    std::lock_guard hold(gLock);
    for (const std::string& folder : gFolders) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    gFolders.clear();
}

}  // namespace

void RemoveWhenEnding(const std::string& folder) {
    static const bool registered = std::atexit(RemoveAll) == 0;
    (void)registered;
    std::lock_guard hold(gLock);
    gFolders.push_back(folder);
}

void Forget(const std::string& folder) {
    std::lock_guard hold(gLock);
    gFolders.erase(std::remove(gFolders.begin(), gFolders.end(), folder), gFolders.end());
}

void WhenEndingNow(const std::string& name, std::function<void()> task) {
    std::lock_guard hold(gTasksLock);
    std::erase_if(gTasks, [&](const auto& kept) { return kept.first == name; });
    if (task) gTasks.emplace_back(name, std::move(task));
}

void EndNow(int status) {
    static std::atomic_flag ending;
    if (!ending.test_and_set()) {
        std::vector<std::pair<std::string, std::function<void()>>> tasks;
        {
            std::lock_guard hold(gTasksLock);
            tasks.swap(gTasks);
        }
        for (const auto& [name, task] : tasks) task();
        std::fflush(nullptr);
    }
    RemoveAll();
    std::_Exit(status);
}

std::string ScratchPattern(const std::string& prefix) {
    return prefix + std::to_string(::getpid()) + "-XXXXXX";
}

bool LeftByEndedProcess(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash > 9 || rest.size() != dash + 7 || rest.find_first_not_of("0123456789") != dash) {
        return false;
    }
    const pid_t owner = static_cast<pid_t>(std::stol(rest.substr(0, dash)));
    if (owner == ::getpid() || ::kill(owner, 0) == 0) return false;
    return errno == ESRCH;  // EPERM: it runs, as another user
}

}  // namespace StandardLib

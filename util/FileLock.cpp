// Advisory locks beside the files that several processes update; see FileLock.h.
#include "util/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace StandardLib {

std::function<void()> WhileLockedHook;

std::string LockFileFor(const std::string& path) {
    return path + ".lock";
}

FileLock::FileLock(const std::string& path, int patienceSeconds) {
    const std::string name = LockFileFor(path);
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (fd < 0) {
        why_ = name + ": " + std::strerror(errno);
        return;
    }
    // Polled rather than blocking, so that a process stopped while it holds
    // the lock costs a wait, never a hang.
    const int tries = patienceSeconds * 50;
    for (int attempt = 0;; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || attempt >= tries) {
            busy_ = errno == EWOULDBLOCK;
            why_ = name + ": " + (busy_ ? "another copy of the game holds it" : std::strerror(errno));
            ::close(fd);
            return;
        }
        const timespec pause{0, 20'000'000};
        ::nanosleep(&pause, nullptr);
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace StandardLib

// An advisory lock that processes updating one file hold while they read,
// merge and replace it, so that two games or editors ending together take
// turns instead of the last rename winning.
#pragma once

#include <functional>
#include <string>

namespace StandardLib {

// Holds an flock(2) on `path`.lock, beside the file, for its lifetime. The
// lock file is made when missing and left in place (removing it would let a
// third process lock a file of the same name that the second no longer sees).
// A lock that can't be taken (a read-only folder, a file system without
// locks, another process holding it for more than `patienceSeconds`) leaves
// Held() false with the reason in Why(): the caller goes on without it, as
// it always did, rather than lose what it came to save.
class FileLock {
  public:
    explicit FileLock(const std::string& path, int patienceSeconds = 10);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }
    // Not held because another process kept it past the patience (the rest
    // is ordinary: a folder that can't be written has nothing to lock).
    bool Busy() const { return busy_; }
    const std::string& Why() const { return why_; }

  private:
    int fd_ = -1;
    bool busy_ = false;
    std::string why_;
};

// The name of the lock file for `path`.
std::string LockFileFor(const std::string& path);

// Called, when set, by a writer that holds its lock between reading the file
// and replacing it: tests hold the first writer there to let a second one try.
extern std::function<void()> WhileLockedHook;

}  // namespace StandardLib

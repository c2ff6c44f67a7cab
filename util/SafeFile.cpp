// Reading and creating files without blocking and within a size limit; see SafeFile.h.
#include "util/SafeFile.h"
#include "util/Leftovers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

namespace StandardLib {

namespace {

// What stands under a name that is not a regular file.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    if (S_ISSOCK(mode)) return "is a socket, not a file";
    return "is not a regular file";
}

std::string TooLarge(uint64_t size, std::size_t limit) {
    return "is " + SizeText(size) + ", more than the " + SizeText(limit) + " such a file may hold";
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

}  // namespace

FileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    FileRead result;
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        result.missing = errno == ENOENT;
        result.why = std::strerror(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.why = std::strerror(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.why = NotAFile(info.st_mode);
        return result;
    }
    if (uint64_t(info.st_size) > limit) {
        result.why = TooLarge(uint64_t(info.st_size), limit);
        return result;
    }
    // The file may grow while it is read: read at most one byte past the limit.
    bytes.resize(std::size_t(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > limit) break;
            bytes.resize(std::min(limit + 1, done * 2 + 4096));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.why = std::strerror(errno);
            bytes.clear();
            return result;
        }
        if (n == 0) break;
        done += std::size_t(n);
    }
    if (done > limit) {
        bytes.clear();
        result.why = TooLarge(done, limit);
        return result;
    }
    bytes.resize(done);
    result.ok = true;
    return result;
}

int CreateRegularFile(const std::string& path, std::string& why) {
    // Not truncated on opening: what stands there is looked at first.
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644));
    if (fd.get() < 0) {
        // A pipe without a reader refuses a writer that will not wait.
        why = errno == ENXIO ? "is a pipe, not a file" : std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        why = NotAFile(info.st_mode);
        return -1;
    }
    if (::ftruncate(fd.get(), 0) != 0) {
        why = std::strerror(errno);
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd.release();
}

std::string SizeText(uint64_t bytes) {
    constexpr uint64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
    if (bytes >= GB) return std::to_string(bytes / GB) + " GB";
    if (bytes >= MB) return std::to_string(bytes / MB) + " MB";
    if (bytes >= KB) return std::to_string(bytes / KB) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string_view what) {
    std::string problem;
    if (TryWriteFileAtomically(path, bytes, problem)) return true;
    struct stat old {};
    std::cerr << path << ": can't save " << what << " (" << problem << ")"
              << (::stat(path.c_str(), &old) == 0 ? "; the old file is kept." : ".") << std::endl;
    return false;
}

bool TryWriteFileAtomically(const std::string& path, std::string_view bytes, std::string& problem) {
    const auto fail = [&](const std::string& why, const std::string& temp) {
        if (!temp.empty()) ::unlink(temp.c_str());
        problem = why;
        return false;
    };

    // The process's number in the name tells a later start whether the save
    // that made it may still be under way (see RemoveStaleSaves).
    std::string temp = ScratchPattern(path + ".saving-");
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(std::strerror(errno), "");

    // The new file gets the old one's permissions (mkstemp makes it private).
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string why = std::strerror(errno);
            ::close(fd);
            return fail(why, temp);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        return fail(why, temp);
    }
    if (::close(fd) != 0) return fail(std::strerror(errno), temp);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(std::strerror(errno), temp);

    // Make the rename itself durable.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {  // as many as the kernel follows
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(std::size_t(PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || std::size_t(n) >= target.size()) return current;
        target.resize(std::size_t(n));
        const std::size_t slash = current.rfind('/');
        if (target[0] != '/' && slash != std::string::npos) target = current.substr(0, slash + 1) + target;
        current = target;
    }
    return current;
}

}  // namespace StandardLib

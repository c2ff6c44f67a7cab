// Looking a file up without regard to the case of its name's components.
#include "window/FindFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace Vitrine::detail {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string FindFile(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code error;
    if (fs::exists(path, error)) return path;
    fs::path given(path);
    fs::path found = given.root_path();
    for (const fs::path& part : given.relative_path()) {
        fs::path next = found / part;
        if (part == "." || part == ".." || fs::exists(next, error)) {
            found = next;
            continue;
        }
        fs::path folder = found.empty() ? fs::path(".") : found;
        bool matched = false;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            if (SameIgnoringCase(it->path().filename().string(), part.string())) {
                found /= it->path().filename();
                matched = true;
                break;
            }
        }
        if (!matched) return path;
    }
    return found.string();
}

}  // namespace Vitrine::detail

// Finding a file by a name that may differ from the file's in the case of its
// letters, and may use backslashes as separators.
#pragma once

#include <string>

namespace Vitrine::detail {

// The path as given when it exists; otherwise each component that does not
// exist is looked up in its folder without regard to case. Backslashes count
// as separators. The path as given when nothing matches.
std::string FindFile(std::string path);

}  // namespace Vitrine::detail

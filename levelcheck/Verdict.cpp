// The whole verdict on a level, and the one line the checker prints for it.
#include <string>

#include "levelcheck/LevelCheck.h"

namespace LevelCheck {

namespace {

// "1 item", "2 items".
std::string Count(int n, const std::string& what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

Report Check(const Level& level) {
    Report report = CheckReach(level);
    std::vector<Fault> faults = StructureFaults(level);
    if (report.items == 0)
        faults.push_back({{}, "no items: the level would be cleared the moment it starts"});
    faults.insert(faults.end(), report.faults.begin(), report.faults.end());
    report.faults = std::move(faults);
    return report;
}

std::string Summary(const Report& report) {
    if (report.faults.empty()) {
        return "ok, " + Count(report.items, "item") + ", " + Count(report.doors, "door") + ", " +
               Count(report.shockDoors, "shock door") + ", farthest item " + Count(report.mostRides, "ride") +
               " away";
    }
    std::string line = Count(static_cast<int>(report.faults.size()), "fault") + ": ";
    for (std::size_t k = 0; k < report.faults.size(); ++k) {
        if (k > 0) line += "; ";
        line += report.faults[k].Text();
    }
    return line;
}

}  // namespace LevelCheck

#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace corvelle {

// Says on stderr (the journal keeps a desktop program's stderr) when saving a file fails and
// when it works again: the first failure of each kind in a row, not every attempt.
class SaveLog {
public:
    // The outcome of one save of `path`: 0 when it was written, else the errno of the failure.
    void record(const std::filesystem::path& path, int error);

private:
    std::map<std::string, std::set<int>> failures_;  // per file, the kinds already reported
};

}  // namespace corvelle

#include "linux/NetDevSource.h"

#include "linux/TextFile.h"

namespace corvelle {

NetDevSource::NetDevSource(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<NetTotals> NetDevSource::parse(std::string_view text) {
    NetTotals totals;
    bool malformed = false;
    bool interfaces = false;
    TextFile::forEachLine(text, [&](std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) return;  // the two header lines
        auto name = TextFile::fields(line.substr(0, colon));
        if (name.size() != 1) return;
        interfaces = true;
        if (name[0] == "lo") return;
        // rx: bytes packets errs drop fifo frame compressed multicast, then tx: bytes ...
        auto parts = TextFile::fields(line.substr(colon + 1));
        auto in = parts.size() >= 16 ? TextFile::parseUnsigned(parts[0]) : std::nullopt;
        auto out = parts.size() >= 16 ? TextFile::parseUnsigned(parts[8]) : std::nullopt;
        if (!in || !out || !TextFile::addCounter(totals.bytesIn, *in) ||
            !TextFile::addCounter(totals.bytesOut, *out)) {
            malformed = true;
        }
    });
    // The kernel always lists the loopback interface at least.
    if (malformed || !interfaces) return std::nullopt;
    return totals;
}

std::optional<NetTotals> NetDevSource::read() {
    if (!TextFile::read(root_ / "proc/net/dev", buffer_)) return std::nullopt;
    return parse(buffer_);
}

}  // namespace corvelle

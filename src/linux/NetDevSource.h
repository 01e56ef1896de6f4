#pragma once

#include "platform/NetStatsSource.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace corvelle {

// Bytes received and sent by every interface but loopback, from /proc/net/dev.
class NetDevSource : public NetStatsSource {
public:
    explicit NetDevSource(std::filesystem::path root = "/");

    std::optional<NetTotals> read() override;

    // Totals of /proc/net/dev text; absent when an interface line is malformed or there is none.
    static std::optional<NetTotals> parse(std::string_view text);

private:
    std::filesystem::path root_;
    std::string buffer_;
};

}  // namespace corvelle

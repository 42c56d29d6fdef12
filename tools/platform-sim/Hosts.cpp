#include "Hosts.h"

#include "SimDefaults.h"

namespace {

struct HostEntry {
    Host host;
    const char* name;
    const char* defaultAddress;
};

constexpr std::array<HostEntry, kHostCount> kHostTable = {{
    {Host::Login, "login", sim_defaults::kLoginHost},
    {Host::Pay, "pay", sim_defaults::kPayHost},
    {Host::Download, "download", sim_defaults::kDownloadHost},
    {Host::Stats, "stats", sim_defaults::kStatsHost},
    {Host::Site, "site", sim_defaults::kSiteHost},
    {Host::Forum, "forum", sim_defaults::kForumHost},
    {Host::Service, "service", sim_defaults::kServiceHost},
}};

constexpr bool TableFollowsEnum() {
    for (std::size_t i = 0; i < kHostTable.size(); ++i) {
        if (static_cast<std::size_t>(kHostTable[i].host) != i) {
            return false;
        }
    }
    return true;
}
static_assert(TableFollowsEnum(), "the host table is indexed by the enum");

const HostEntry& EntryOf(Host host) {
    return kHostTable[static_cast<std::size_t>(host)];
}

}  // namespace

const char* HostName(Host host) {
    return EntryOf(host).name;
}

const char* DefaultAddress(Host host) {
    return EntryOf(host).defaultAddress;
}

std::optional<Host> HostByName(const std::string& name) {
    for (const HostEntry& entry : kHostTable) {
        if (name == entry.name) {
            return entry.host;
        }
    }
    return std::nullopt;
}

std::optional<ListenAddress> ParseListenAddress(const std::string& text) {
    static const std::string kScheme = "http://";
    std::string rest =
        text.compare(0, kScheme.size(), kScheme) == 0 ? text.substr(kScheme.size()) : text;
    const std::size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == rest.size() ||
        rest.find_first_of("/:") != colon) {
        return std::nullopt;
    }
    const std::string digits = rest.substr(colon + 1);
    if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int port = std::stoi(digits);
    if (port > 65535) {
        return std::nullopt;
    }
    return ListenAddress{rest.substr(0, colon), port};
}

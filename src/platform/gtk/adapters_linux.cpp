#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/common/file_head.h"
#include "platform/gtk/hardware_scan.h"

namespace plat {

namespace {

namespace fs = std::filesystem;

constexpr int kArpHardwareEthernet = 1;  // ARPHRD_ETHER

bool IsOnPciBus(const fs::path& adapter) {
    std::error_code error;
    const fs::path bus = fs::canonical(adapter / "device" / "subsystem", error);
    return !error && bus.filename() == "pci";
}

// Wireless adapters share the Ethernet link type on Linux; the platform that defines "physical"
// counts only wired ones.
bool IsWired(const fs::path& adapter) {
    std::error_code error;
    return std::atoi(ReadFileLine((adapter / "type").string(), 16).c_str()) ==
               kArpHardwareEthernet &&
           !fs::exists(adapter / "wireless", error) && !fs::exists(adapter / "phy80211", error);
}

// "aa:bb:cc:dd:ee:ff"; empty when the text is not such an address.
std::vector<std::uint8_t> ParseAddress(const std::string& text) {
    std::vector<std::uint8_t> address;
    std::size_t i = 0;
    while (i + 2 <= text.size()) {
        char* end = nullptr;
        const std::string pair = text.substr(i, 2);
        const unsigned long value = std::strtoul(pair.c_str(), &end, 16);
        if (end != pair.c_str() + 2) {
            return {};
        }
        address.push_back(static_cast<std::uint8_t>(value));
        i += 2;
        if (i < text.size() && text[i++] != ':') {
            return {};
        }
    }
    return i == text.size() ? address : std::vector<std::uint8_t>();
}

}  // namespace

std::vector<NetworkAdapter> linux_hw::AdaptersUnder(const std::string& sysRoot) {
    std::vector<std::pair<long, NetworkAdapter>> found;
    std::error_code error;
    for (fs::directory_iterator it(sysRoot + "/class/net", error), end; !error && it != end;
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const fs::path adapter = entry.path();
        std::error_code missing;
        if (!fs::exists(adapter / "device", missing)) {
            continue;
        }
        NetworkAdapter record{IsOnPciBus(adapter), IsWired(adapter),
                              ParseAddress(ReadFileLine((adapter / "address").string(), 128))};
        const long index = std::atol(ReadFileLine((adapter / "ifindex").string(), 32).c_str());
        found.emplace_back(index, std::move(record));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<NetworkAdapter> adapters;
    for (auto& item : found) {
        adapters.push_back(std::move(item.second));
    }
    return adapters;
}

std::vector<NetworkAdapter> ListNetworkAdapters() {
    return linux_hw::AdaptersUnder("/sys");
}

}  // namespace plat

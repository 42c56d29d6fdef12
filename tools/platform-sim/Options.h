// The command line of platform-sim.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "Hosts.h"

struct HostOptions {
    ListenAddress listen;
    bool refused = false;
    int delayMs = 0;
    int errorStatus = 0;  // 0: answer normally
};

struct Options {
    std::array<HostOptions, kHostCount> hosts;
    std::string currentVersion;
    std::string upgradeRange;
    std::string logPath;          // empty: standard output
    std::string upgraderLogPath;  // absolute
    std::string readyFile;        // empty: none
    bool help = false;

    HostOptions& operator[](Host host) { return hosts[static_cast<std::size_t>(host)]; }
    const HostOptions& operator[](Host host) const { return hosts[static_cast<std::size_t>(host)]; }
};

class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws OptionError with a message for the user.
Options ParseOptions(int argc, const char* const* argv);
std::string UsageText();

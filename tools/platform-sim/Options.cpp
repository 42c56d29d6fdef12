#include "Options.h"

#include <filesystem>
#include <optional>

#include "SimDefaults.h"

namespace {

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int value = std::stoi(text);
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

Host ParseHostName(const std::string& option, const std::string& name) {
    if (const auto host = HostByName(name)) {
        return *host;
    }
    throw OptionError(option + ": unknown host '" + name +
                      "' (login, pay, download, stats, site, forum or service)");
}

// "NAME=VALUE" of the options that set something for one host.
std::pair<Host, std::string> SplitHostValue(const std::string& option, const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        throw OptionError(option + ": expected HOST=VALUE, got '" + text + "'");
    }
    return {ParseHostName(option, text.substr(0, equals)), text.substr(equals + 1)};
}

std::string DefaultUpgraderLog(const std::string& logPath) {
    namespace fs = std::filesystem;
    const fs::path folder =
        logPath.empty() ? fs::current_path() : fs::absolute(fs::path(logPath)).parent_path();
    return (folder / "upgrader.log").string();
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    options.currentVersion = sim_defaults::kClientVersion;
    std::array<bool, kHostCount> listenGiven{};

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option.rfind("--", 0) != 0) {
            throw OptionError("unexpected argument '" + option + "'");
        }
        if (i + 1 >= argc) {
            throw OptionError(option + " needs a value");
        }
        const std::string value = argv[++i];
        if (option == "--host") {
            const auto [host, text] = SplitHostValue(option, value);
            const auto address = ParseListenAddress(text);
            if (!address) {
                throw OptionError(option + ": expected HOST=[http://]IP:PORT, got '" + value + "'");
            }
            options[host].listen = *address;
            listenGiven[static_cast<std::size_t>(host)] = true;
        } else if (option == "--refuse") {
            options[ParseHostName(option, value)].refused = true;
        } else if (option == "--delay") {
            const auto [host, text] = SplitHostValue(option, value);
            const auto ms = ParseNumber(text, 0, 600000);
            if (!ms) {
                throw OptionError(option + ": expected HOST=MILLISECONDS (0 to 600000), got '" +
                                  value + "'");
            }
            options[host].delayMs = *ms;
        } else if (option == "--error") {
            const auto [host, text] = SplitHostValue(option, value);
            const auto status = ParseNumber(text, 400, 599);
            if (!status) {
                throw OptionError(option + ": expected HOST=STATUS (400 to 599), got '" + value +
                                  "'");
            }
            options[host].errorStatus = *status;
        } else if (option == "--current-version") {
            options.currentVersion = value;
        } else if (option == "--upgrade-range") {
            options.upgradeRange = value;
        } else if (option == "--log") {
            options.logPath = value;
        } else if (option == "--upgrader-log") {
            options.upgraderLogPath = std::filesystem::absolute(value).string();
        } else if (option == "--ready-file") {
            options.readyFile = value;
        } else {
            throw OptionError("unknown option '" + option + "' (see --help)");
        }
    }

    for (Host host : kAllHosts) {
        if (listenGiven[static_cast<std::size_t>(host)] || options[host].refused) {
            continue;
        }
        const auto address = ParseListenAddress(DefaultAddress(host));
        if (!address) {
            throw OptionError(std::string("the build's ") + HostName(host) + " host '" +
                              DefaultAddress(host) + "' is not a plain http IP:PORT; give --host " +
                              HostName(host) + "=IP:PORT");
        }
        options[host].listen = *address;
    }
    if (options.upgraderLogPath.empty()) {
        options.upgraderLogPath = DefaultUpgraderLog(options.logPath);
    }
    return options;
}

std::string UsageText() {
    std::string text =
        "Usage: platform-sim [OPTION]...\n"
        "Serves the platform's hosts on this machine for the client's demo and tests.\n"
        "\n"
        "  --host HOST=[http://]IP:PORT  listen there instead of the build's address;\n"
        "                                port 0 picks a free port (see --ready-file)\n"
        "  --refuse HOST                 do not listen on HOST at all (repeatable)\n"
        "  --delay HOST=MS               wait MS milliseconds before each answer of HOST\n"
        "  --error HOST=STATUS           answer every request of HOST with STATUS (400-599)\n"
        "  --current-version VERSION     version file's currentversion (default " +
        std::string(sim_defaults::kClientVersion) +
        ")\n"
        "  --upgrade-range RANGE         version file's upgraderange (default empty)\n"
        "  --log FILE                    append the request log to FILE (default stdout)\n"
        "  --upgrader-log FILE           where the served upgrader records its arguments\n"
        "                                (default upgrader.log next to the request log)\n"
        "  --ready-file FILE             once every host listens, write one line per host,\n"
        "                                'HOST http://IP:PORT', to FILE\n"
        "  --help                        show this text\n"
        "\n"
        "HOST is one of: login, pay, download, stats, site, forum, service.\n"
        "Build addresses:\n";
    for (Host host : kAllHosts) {
        text += std::string("  ") + HostName(host) + " " + DefaultAddress(host) + "\n";
    }
    return text;
}

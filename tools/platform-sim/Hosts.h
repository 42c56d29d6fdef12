// The platform's hosts that the stand-in serves, their names on the command line and in the log,
// and their listening addresses.
#pragma once

#include <array>
#include <optional>
#include <string>

enum class Host { Login, Pay, Download, Stats, Site, Forum, Service };
inline constexpr std::size_t kHostCount = 7;

inline constexpr std::array<Host, kHostCount> kAllHosts = {
    Host::Login, Host::Pay, Host::Download, Host::Stats, Host::Site, Host::Forum, Host::Service};

struct ListenAddress {
    std::string ip;
    int port = 0;  // 0: the system picks a free port
};

const char* HostName(Host host);
std::optional<Host> HostByName(const std::string& name);

// "http://127.0.0.1:47801" or "127.0.0.1:47801"; the stand-in speaks plain HTTP only, so any
// other scheme, a path or a missing port gives nothing.
std::optional<ListenAddress> ParseListenAddress(const std::string& text);

// The build's address of the host, as the client is built to reach it.
const char* DefaultAddress(Host host);

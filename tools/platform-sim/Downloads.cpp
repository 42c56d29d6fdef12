#include <string>

#include "Routes.h"

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

}  // namespace

void AddDownloads(httplib::Server& server, const Options& options) {
    const std::string versionFile = "[version]\ncurrentversion=" + options.currentVersion +
                                    "\nupgraderange=" + options.upgradeRange + "\n";
    server.Get("/Tiv/vlk/official/app.ini",
               [versionFile](const httplib::Request&, httplib::Response& res) {
                   res.set_content(versionFile, "text/plain; charset=utf-8");
               });

    // The client saves the upgrader as an executable and starts it with "/S"; on Linux a shell
    // script can stand in for it and tell the tests how it was started.
    const std::string upgrader =
        "#!/bin/sh\n"
        "# Velkora upgrader stand-in: records its arguments and ends.\n"
        "printf 'args: %s\\n' \"$*\" >> " +
        ShellQuoted(options.upgraderLogPath) + "\nexit 0\n";
    server.Get("/Tiv/vlk/official/Rared_Uruvir.exe",
               [upgrader](const httplib::Request&, httplib::Response& res) {
                   res.set_content(upgrader, "application/octet-stream");
               });
}

// platform-sim: the platform's web hosts on this machine, for the client's demo and tests.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "Options.h"
#include "RequestLog.h"
#include "SimServer.h"

namespace {

// Written whole under another name and renamed, so a test polling for it never reads a part.
void WriteReadyFile(const std::string& path, const std::string& content) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << content;
        if (!out.flush()) {
            throw std::runtime_error("cannot write the ready file '" + partial + "'");
        }
    }
    std::filesystem::rename(partial, path);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const OptionError& e) {
        std::cerr << "platform-sim: " << e.what() << "\n";
        return 2;
    }
    if (options.help) {
        std::cout << UsageText();
        return 0;
    }

    // Blocked before any thread starts, so that every thread inherits the mask and the signals
    // reach only the sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        RequestLog log(options.logPath);
        SimServer server(options, log);
        server.Start();
        // One write, before the ready file: whoever waits for the file then sees the whole line.
        std::cerr << "platform-sim ready\n" << std::flush;
        if (!options.readyFile.empty()) {
            WriteReadyFile(options.readyFile, server.Addresses());
        }
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    } catch (const std::exception& e) {
        std::cerr << "platform-sim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

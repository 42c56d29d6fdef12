// Throughput of one large download through the pool against curl fetching the same file from the
// same loopback server, and the time Stop takes while a transfer is stalled.
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "net/DownloadPool.h"
#include "net/HttpDownloader.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct Signal {
    std::mutex lock;
    std::condition_variable changed;
    int event = 0;
    std::int32_t result = 0;

    static std::int32_t Callback(void* user, std::int32_t, std::int32_t event, std::int32_t value,
                                 std::intptr_t) {
        auto* self = static_cast<Signal*>(user);
        {
            std::lock_guard<std::mutex> guard(self->lock);
            self->event = event;
            self->result = value;
        }
        self->changed.notify_all();
        return 0;
    }
    void WaitFor(int wanted) {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return event == wanted; });
    }
};

// A download of url into file that reports to signal.
DownloadTask TaskFor(const std::string& url, const std::string& file, Signal& signal) {
    DownloadTask task;
    task.strURL = std::filesystem::path(url).wstring();
    task.strFilePath = std::filesystem::path(file).wstring();
    task.pfnCallback = &Signal::Callback;
    task.pUserData = &signal;
    return task;
}

double PoolSeconds(const std::string& url, const std::string& file) {
    CDownloadPool pool;
    pool.Start();
    Signal signal;
    auto start = Clock::now();
    pool.PostTask(TaskFor(url, file, signal));
    signal.WaitFor(DOWNLOAD_FINISHED);
    double seconds = Seconds(Clock::now() - start);
    if (signal.result != DOWNLOAD_OK) {
        std::fprintf(stderr, "pool download failed: %d\n", signal.result);
        std::exit(1);
    }
    return seconds;
}

double CurlSeconds(const std::string& url, const std::string& file) {
    std::string command = "curl -s -f -o '" + file + "' '" + url + "'";
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "curl failed\n");
        std::exit(1);
    }
    return Seconds(Clock::now() - start);
}

double StopSecondsWhileStalled(const std::string& url, const std::string& file) {
    CDownloadPool pool;
    pool.Start();
    Signal signal;
    pool.PostTask(TaskFor(url, file, signal));
    signal.WaitFor(DOWNLOAD_PROGRESS);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // well into the stall
    auto start = Clock::now();
    pool.Stop();
    return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t mebibytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::size_t size = mebibytes << 20;
    const std::string folder = argc > 3 ? argv[3] : "/tmp";

    static char chunk[64 * 1024];
    std::memset(chunk, 'v', sizeof chunk);
    std::atomic<bool> released{false};
    httplib::Server server;
    server.Get("/big", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(size, "application/octet-stream",
                                 [&](std::size_t, std::size_t length, httplib::DataSink& sink) {
                                     return sink.write(chunk, std::min(length, sizeof chunk));
                                 });
    });
    server.Get("/stall", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(size, "application/octet-stream",
                                 [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     if (offset == 0) {
                                         return sink.write(chunk, sizeof chunk);
                                     }
                                     while (!released.load()) {
                                         std::this_thread::sleep_for(std::chrono::milliseconds(10));
                                     }
                                     return false;
                                 });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    const std::string poolFile = folder + "/velkora-bench-pool.bin";
    const std::string curlFile = folder + "/velkora-bench-curl.bin";

    double bestPool = 1e9;
    double bestCurl = 1e9;
    for (int i = 0; i < rounds; ++i) {
        bestPool = std::min(bestPool, PoolSeconds(base + "/big", poolFile));
        bestCurl = std::min(bestCurl, CurlSeconds(base + "/big", curlFile));
    }
    if (std::filesystem::file_size(poolFile) != size ||
        std::filesystem::file_size(curlFile) != size) {
        std::fprintf(stderr, "size mismatch\n");
        return 1;
    }
    const double mib = static_cast<double>(mebibytes);
    std::printf("download %zu MiB, best of %d\n", mebibytes, rounds);
    std::printf("  pool: %.3f s  %.1f MiB/s\n", bestPool, mib / bestPool);
    std::printf("  curl: %.3f s  %.1f MiB/s\n", bestCurl, mib / bestCurl);
    std::printf("  ratio pool/curl throughput: %.3f\n", bestCurl / bestPool);
    double stop = StopSecondsWhileStalled(base + "/stall", poolFile);
    std::printf("Stop while a transfer is stalled: %.1f ms\n", stop * 1000);

    released.store(true);
    server.stop();
    serving.join();
    std::filesystem::remove(poolFile);
    std::filesystem::remove(curlFile);
    return 0;
}

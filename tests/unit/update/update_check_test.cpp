#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "app/GlobalModule.h"
#include "net/DownloadPool.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_ui.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

namespace {

// Every page load of the login window asks for the check; only the first one fetches. The first
// fetch is held at the server, so a second one would occupy the other worker and keep a request
// posted after it from ever arriving.
TEST(UpdateCheck, TheVersionFileIsFetchedOncePerProcess) {
    testing_support::TempDir dir;
    plat::fake::Reset();
    plat::fake::SetModuleFilePath(dir.wpath() + L"velkora");

    std::mutex lock;
    std::condition_variable changed;
    int versionRequests = 0;
    bool afterwardArrived = false;
    bool released = false;
    testing_support::LocalHttpServer server;
    server.server().Get("/app.ini", [&](const httplib::Request&, httplib::Response& res) {
        std::unique_lock<std::mutex> guard(lock);
        ++versionRequests;
        changed.notify_all();
        changed.wait(guard, [&] { return released; });
        res.set_content("[version]\ncurrentversion=0.0.0.1\n", "text/plain");
    });
    server.server().Get("/afterward", [&](const httplib::Request&, httplib::Response& res) {
        std::lock_guard<std::mutex> guard(lock);
        afterwardArrived = true;
        changed.notify_all();
        res.set_content("", "text/plain");
    });
    server.Start();

    g_module.m_strVersionCheckUrl = server.Url("/app.ini");
    CheckForUpdate();
    CheckForUpdate();
    CheckForUpdate();
    std::unique_lock<std::mutex> guard(lock);
    EXPECT_TRUE(
        changed.wait_for(guard, std::chrono::seconds(10), [&] { return versionRequests > 0; }));
    DownloadTask afterward;
    afterward.strURL = server.Url("/afterward");
    EXPECT_TRUE(g_module.m_pTaskPool->PostTask(afterward));
    EXPECT_TRUE(
        changed.wait_for(guard, std::chrono::seconds(10), [&] { return afterwardArrived; }));
    EXPECT_EQ(versionRequests, 1);
    released = true;  // expectations only above: a held request would keep the server from ending
    changed.notify_all();
    guard.unlock();
    g_module.m_pTaskPool->Stop();
}

}  // namespace

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "net/DownloadPool.h"
#include "net/HttpDownloader.h"
#include "net/Recorder.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

using net_test::Event;
using net_test::Gate;
using net_test::Recorder;
using testing_support::LocalHttpServer;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

class DownloadPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.server().Get("/ok", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(25000, 'x'), "application/octet-stream");
        });
        server.server().Get("/broken", [this](const httplib::Request&, httplib::Response& res) {
            ++attempts;
            res.status = 500;
        });
        // Holds each request until two have arrived, so that both workers are busy at once.
        auto pair = [this](const httplib::Request&, httplib::Response& res) {
            if (++arrived == 2) {
                bothArrived.Open();
            }
            bothArrived.Wait();
            res.set_content("done", "text/plain");
        };
        server.server().Get("/pair/1", pair);
        server.server().Get("/pair/2", pair);
        server.server().Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(25000, "application/octet-stream",
                                     [this](std::size_t, std::size_t, httplib::DataSink& sink) {
                                         std::string block(10240, 'x');
                                         sink.write(block.data(), block.size());
                                         release.Wait();
                                         return false;
                                     });
        });
        server.Start();
    }
    void TearDown() override {
        pool.Stop();
        release.Open();
        bothArrived.Open();
    }

    DownloadTask Task(const std::string& path, std::int32_t id) {
        DownloadTask task;
        task.strURL = server.Url(path);
        task.pfnCallback = &Recorder::Callback;
        task.pUserData = &recorder;
        task.nTaskId = id;
        return task;
    }

    Gate release;
    Gate bothArrived;
    std::atomic<int> arrived{0};
    std::atomic<int> attempts{0};
    LocalHttpServer server;
    Recorder recorder;
    TempDir dir;
    CDownloadPool pool;
};

TEST_F(DownloadPoolTest, TwoTasksRunOnTwoWorkersInPostingOrder) {
    ASSERT_TRUE(pool.PostTask(Task("/pair/1", 1)));
    ASSERT_TRUE(pool.PostTask(Task("/pair/2", 2)));  // queued before Start: it waits for it
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.Start());  // a second Start adds no worker
    ASSERT_TRUE(recorder.WaitFor(DOWNLOAD_FINISHED, 2));
    std::vector<Event> started = recorder.Of(DOWNLOAD_STARTED);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].taskId, 1);
    EXPECT_EQ(started[1].taskId, 2);
    EXPECT_NE(started[0].thread, started[1].thread);
    for (const Event& finished : recorder.Of(DOWNLOAD_FINISHED)) {
        EXPECT_EQ(finished.value, DOWNLOAD_OK);
    }
    EXPECT_TRUE(recorder.Of(DOWNLOAD_PROGRESS).empty()) << "no file, no progress";
}

TEST_F(DownloadPoolTest, FailedTaskIsRetriedThenReportedAndItsFileDeleted) {
    const std::string file = dir.path() + "/out.bin";
    WriteFile(file, "stale");
    DownloadTask task = Task("/broken", 7);
    task.strFilePath = dir.wpath() + L"out.bin";
    task.nRetryCount = 2;
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.PostTask(task));
    ASSERT_TRUE(recorder.WaitFor(DOWNLOAD_FINISHED, 1));
    EXPECT_EQ(attempts.load(), 3);
    std::vector<Event> events = recorder.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event, DOWNLOAD_STARTED);
    EXPECT_EQ(events[1].value, DOWNLOAD_E_STATUS);
    pool.Stop();  // the deletion follows the callback on the worker
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(DownloadPoolTest, SuccessfulTaskKeepsItsFile) {
    DownloadTask task = Task("/ok", 1);
    task.strFilePath = dir.wpath();
    task.bAppendUrlFileName = 1;
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.PostTask(task));
    ASSERT_TRUE(recorder.WaitFor(DOWNLOAD_FINISHED, 1));
    pool.Stop();
    std::vector<Event> finished = recorder.Of(DOWNLOAD_FINISHED);
    EXPECT_EQ(finished[0].value, DOWNLOAD_OK);
    EXPECT_EQ(finished[0].filePath, dir.wpath() + L"ok");
    EXPECT_EQ(std::filesystem::file_size(dir.path() + "/ok"), 25000u);
}

TEST_F(DownloadPoolTest, CallbackMayPostANewTask) {
    struct Chain {
        CDownloadPool* pool;
        DownloadTask next;
        Recorder* recorder;
    } chain{&pool, Task("/ok", 2), &recorder};
    DownloadTask first = Task("/ok", 1);
    first.pUserData = &chain;
    first.pfnCallback = [](void* user, std::int32_t id, std::int32_t event, std::int32_t value,
                           std::intptr_t extra) {
        auto* c = static_cast<Chain*>(user);
        Recorder::Callback(c->recorder, id, event, value, extra);
        if (event == DOWNLOAD_FINISHED && id == 1) {
            c->pool->Start();
            c->pool->PostTask(c->next);
        }
        return 0;
    };
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.PostTask(first));
    ASSERT_TRUE(recorder.WaitFor(DOWNLOAD_FINISHED, 2));
    std::vector<Event> finished = recorder.Of(DOWNLOAD_FINISHED);
    EXPECT_EQ(finished[1].taskId, 2);
    EXPECT_EQ(finished[1].value, DOWNLOAD_OK);
}

// Stop ends the workers in every state; an abandoned task gets no DOWNLOAD_FINISHED and leaves no
// file.
TEST_F(DownloadPoolTest, StopWhileWaitingForWork) {
    ASSERT_TRUE(pool.Start());
    pool.Stop();
    pool.Stop();  // repeated Stop is harmless
    EXPECT_TRUE(recorder.Events().empty());
}

TEST_F(DownloadPoolTest, StopDuringTheRetryPause) {
    const std::string file = dir.path() + "/out.bin";
    WriteFile(file, "stale");
    DownloadTask task = Task("/broken", 1);
    task.strFilePath = dir.wpath() + L"out.bin";
    task.nRetryCount = 100;
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.PostTask(task));
    while (attempts.load() == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pool.Stop();
    EXPECT_LT(attempts.load(), 100);
    EXPECT_TRUE(recorder.Of(DOWNLOAD_FINISHED).empty());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(DownloadPoolTest, StopDuringTheBody) {
    DownloadTask task = Task("/stall", 1);
    task.strFilePath = dir.wpath() + L"out.bin";
    ASSERT_TRUE(pool.Start());
    ASSERT_TRUE(pool.PostTask(task));
    ASSERT_TRUE(recorder.WaitFor(DOWNLOAD_PROGRESS, 1));
    pool.Stop();
    EXPECT_TRUE(recorder.Of(DOWNLOAD_FINISHED).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/out.bin"));
}

TEST_F(DownloadPoolTest, QueuedTasksAreDroppedWithoutCallbacks) {
    {
        CDownloadPool unstarted;
        ASSERT_TRUE(unstarted.PostTask(Task("/ok", 1)));
    }
    EXPECT_TRUE(recorder.Events().empty());
}

}  // namespace

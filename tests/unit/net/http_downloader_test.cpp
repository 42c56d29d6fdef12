#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <regex>
#include <string>
#include <thread>

#include "net/HttpDownloader.h"
#include "net/Recorder.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

using net_test::Event;
using net_test::Gate;
using net_test::Recorder;
using testing_support::LocalHttpServer;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

std::string Body(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<char>('a' + i % 26);
    }
    return body;
}

std::string Narrow(const std::wstring& text) {
    return std::filesystem::path(text).string();
}

class HttpDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.server().Get("/ok", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(Body(25000), "application/octet-stream");
        });
        server.server().Get("/empty", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("", "text/plain");
        });
        server.server().Get(
            "/missing", [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
        server.server().Get(
            "/broken", [](const httplib::Request&, httplib::Response& res) { res.status = 500; });
        server.server().Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/ok");
        });
        server.server().Get("/chunked", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain",
                                             [](std::size_t, httplib::DataSink& sink) {
                                                 sink.write("abc", 3);
                                                 sink.done();
                                                 return true;
                                             });
        });
        server.server().Get("/short", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(25000, "application/octet-stream",
                                     [](std::size_t, std::size_t, httplib::DataSink& sink) {
                                         std::string part = Body(5000);
                                         sink.write(part.data(), part.size());
                                         return false;  // the connection closes early
                                     });
        });
        server.server().Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(25000, "application/octet-stream",
                                     [this](std::size_t, std::size_t, httplib::DataSink&) {
                                         reached.store(true);
                                         release.Wait();
                                         return false;
                                     });
        });
        server.server().Get("/silent", [this](const httplib::Request&, httplib::Response& res) {
            reached.store(true);
            release.Wait();
            res.status = 204;
        });
        server.server().Post(
            "/form", [this](const httplib::Request& req, httplib::Response&) { received = req; });
        server.Start();
    }
    void TearDown() override { release.Open(); }

    DownloadTask Task(const std::string& path, const std::wstring& file = L"") {
        DownloadTask task;
        task.strURL = server.Url(path);
        task.strFilePath = file;
        task.pfnCallback = &Recorder::Callback;
        task.pUserData = &recorder;
        return task;
    }

    // Runs the transfer on another thread and sets the stop flag once the server is waiting.
    DownloadResult DownloadStoppedWhileServerWaits(DownloadTask& task) {
        std::atomic<bool> stop{false};
        DownloadResult result = DOWNLOAD_OK;
        std::thread transfer([&] { result = Download(task, stop); });
        while (!reached.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        stop.store(true);
        transfer.join();
        return result;
    }

    Gate release;
    std::atomic<bool> reached{false};
    std::mutex receivedLock;
    httplib::Request received;
    LocalHttpServer server;
    Recorder recorder;
    TempDir dir;
    std::atomic<bool> noStop{false};
};

TEST_F(HttpDownloaderTest, StatusDecidesARequestWithoutFile) {
    struct Case {
        const char* path;
        DownloadResult expected;
    } cases[] = {{"/ok", DOWNLOAD_OK},
                 {"/moved", DOWNLOAD_OK},
                 {"/chunked", DOWNLOAD_OK},
                 {"/missing", DOWNLOAD_E_STATUS},
                 {"/broken", DOWNLOAD_E_STATUS}};
    for (const Case& c : cases) {
        DownloadTask task = Task(c.path);
        EXPECT_EQ(Download(task, noStop), c.expected) << c.path;
        EXPECT_EQ(task.strFilePath, L"") << c.path;
    }
    EXPECT_TRUE(recorder.Events().empty()) << "no body read, no progress";
}

TEST_F(HttpDownloaderTest, BodyIsStreamedInBlocksWithProgress) {
    DownloadTask task = Task("/ok", dir.wpath() + L"out.bin");
    ASSERT_EQ(Download(task, noStop), DOWNLOAD_OK);
    EXPECT_EQ(ReadFile(dir.path() + "/out.bin"), Body(25000));
    std::vector<std::intptr_t> progress;
    for (const Event& e : recorder.Events()) {
        EXPECT_EQ(e.event, DOWNLOAD_PROGRESS);
        progress.push_back(e.extra);
    }
    EXPECT_EQ(progress, (std::vector<std::intptr_t>{40, 81, 100}));
}

TEST_F(HttpDownloaderTest, RedirectionIsFollowedToTheFile) {
    DownloadTask task = Task("/moved", dir.wpath() + L"out.bin");
    ASSERT_EQ(Download(task, noStop), DOWNLOAD_OK);
    EXPECT_EQ(ReadFile(dir.path() + "/out.bin"), Body(25000));
}

TEST_F(HttpDownloaderTest, EmptyBodyGivesAnEmptyFile) {
    DownloadTask task = Task("/empty", dir.wpath() + L"out.bin");
    ASSERT_EQ(Download(task, noStop), DOWNLOAD_OK);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() + "/out.bin"));
    EXPECT_EQ(ReadFile(dir.path() + "/out.bin"), "");
}

TEST_F(HttpDownloaderTest, FailuresOfAFileTransfer) {
    testing_support::WriteFile(dir.path() + "/plain", "a file, not a folder");
    // A link planted where a download lands (scratch files have fixed names in /tmp).
    testing_support::WriteFile(dir.path() + "/victim", "keep me");
    std::filesystem::create_symlink(dir.path() + "/victim", dir.path() + "/planted");
    struct Case {
        const char* path;
        std::wstring file;
        DownloadResult expected;
    } cases[] = {
        {"/chunked", dir.wpath() + L"out.bin", DOWNLOAD_E_STATUS},  // no content length
        {"/missing", dir.wpath() + L"out.bin", DOWNLOAD_E_STATUS},
        {"/short", dir.wpath() + L"out.bin", DOWNLOAD_E_READ},  // ends before its length
        {"/ok", dir.wpath() + L"plain/out.bin", DOWNLOAD_E_CREATEFILE},
        {"/ok", L"/dev/full", DOWNLOAD_E_WRITE},
        {"/ok", dir.wpath() + L"planted", DOWNLOAD_E_CREATEFILE},
    };
    for (const Case& c : cases) {
        DownloadTask task = Task(c.path, c.file);
        EXPECT_EQ(Download(task, noStop), c.expected) << c.path << " " << Narrow(c.file);
    }
    EXPECT_EQ(testing_support::ReadFile(dir.path() + "/victim"), "keep me");
}

TEST_F(HttpDownloaderTest, PostSendsExactlyItsLengthAndTheFormHeader) {
    const char body[] = "a=1&b=\0two&ignored";
    DownloadTask task = Task("/form");
    task.pPostData = body;
    task.nPostDataLength = 10;
    ASSERT_EQ(Download(task, noStop), DOWNLOAD_OK);
    std::lock_guard<std::mutex> guard(receivedLock);
    EXPECT_EQ(received.method, "POST");
    EXPECT_EQ(received.body, std::string("a=1&b=\0two", 10));
    EXPECT_EQ(received.get_header_value("Content-Type"),
              "application/x-www-form-urlencoded; charset=UTF-8;");
    EXPECT_EQ(received.get_header_value("User-Agent"), "HTTPDownloader");
}

TEST_F(HttpDownloaderTest, NamingFlagsComposeTheOutputPath) {
    const std::wstring folder = dir.wpath();
    const std::wstring bare = folder.substr(0, folder.size() - 1);
    struct Case {
        std::wstring folder;
        bool urlName;
        bool guidName;
        std::string query;
        std::wstring expectedName;  // below dir; a regular expression for the GUID case
    } cases[] = {
        {bare, true, false, "", L"ok"},
        {folder, true, false, "", L"ok"},
        {folder, true, true, "?v=2", L"ok\\?v=2"},
        {folder, false, true, "",
         L"[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}_ok"},
    };
    for (const Case& c : cases) {
        DownloadTask task = Task("/ok" + c.query, c.folder);
        task.bAppendUrlFileName = c.urlName;
        task.bAppendGuidFileName = c.guidName;
        ASSERT_EQ(Download(task, noStop), DOWNLOAD_OK) << Narrow(c.expectedName);
        ASSERT_EQ(task.strFilePath.substr(0, folder.size()), folder);
        const std::wstring name = task.strFilePath.substr(folder.size());
        EXPECT_TRUE(std::regex_match(Narrow(name), std::regex(Narrow(c.expectedName))))
            << Narrow(name);
        EXPECT_EQ(ReadFile(Narrow(task.strFilePath)), Body(25000));
    }
}

TEST_F(HttpDownloaderTest, AddressEndingInASlashCannotBeAFile) {
    server.server().Get("/dir/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("x", "text/plain");
    });
    DownloadTask task = Task("/dir/", dir.wpath());
    task.bAppendUrlFileName = 1;
    EXPECT_EQ(Download(task, noStop), DOWNLOAD_E_CREATEFILE);
    EXPECT_EQ(task.strFilePath, dir.wpath());
}

TEST_F(HttpDownloaderTest, StopBetweenBlocksEndsBeforeTheNextRead) {
    std::atomic<bool> stop{false};
    DownloadTask task = Task("/ok", dir.wpath() + L"out.bin");
    task.pUserData = &stop;
    task.pfnCallback = [](void* user, std::int32_t, std::int32_t, std::int32_t, std::intptr_t) {
        static_cast<std::atomic<bool>*>(user)->store(true);
        return 0;
    };
    EXPECT_EQ(Download(task, stop), DOWNLOAD_STOPPED);
    EXPECT_EQ(ReadFile(dir.path() + "/out.bin").size(), 10240u);
}

TEST_F(HttpDownloaderTest, StopAbortsATransferBlockedOnTheServer) {
    DownloadTask stalledBody = Task("/stall", dir.wpath() + L"out.bin");
    EXPECT_EQ(DownloadStoppedWhileServerWaits(stalledBody), DOWNLOAD_STOPPED);
    reached.store(false);
    DownloadTask noAnswer = Task("/silent");
    EXPECT_EQ(DownloadStoppedWhileServerWaits(noAnswer), DOWNLOAD_STOPPED);
}

TEST_F(HttpDownloaderTest, UnsplittableAddressFailsWithoutConnecting) {
    for (const wchar_t* url : {L"", L"127.0.0.1/ok", L"ftp://127.0.0.1/ok", L"http://:80/",
                               L"http://127.0.0.1:99999/ok"}) {
        DownloadTask task;
        task.strURL = url;
        EXPECT_EQ(Download(task, noStop), DOWNLOAD_E_CONNECT) << Narrow(url);
    }
}

TEST_F(HttpDownloaderTest, RefusedConnectionFailsTheRequest) {
    int port = 0;
    {
        LocalHttpServer closed;
        closed.Start();
        port = std::stoi(closed.Base().substr(closed.Base().rfind(':') + 1));
    }
    DownloadTask task;
    task.strURL = L"http://127.0.0.1:" + std::to_wstring(port) + L"/ok";
    EXPECT_EQ(Download(task, noStop), DOWNLOAD_E_REQUEST);
}

TEST(HttpDownloaderTls, UnverifiableOrMissingTlsFailsTheRequest) {
    LocalHttpServer selfSigned(LocalHttpServer::Kind::SelfSignedTls);
    selfSigned.server().Get("/ok", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("secret", "text/plain");
    });
    selfSigned.Start();
    LocalHttpServer plain;
    plain.server().Get("/ok", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("plain", "text/plain");
    });
    plain.Start();
    std::atomic<bool> noStop{false};
    std::wstring plainAsTls = plain.Url("/ok");
    plainAsTls.replace(0, 4, L"https");
    for (const std::wstring& url : {selfSigned.Url("/ok"), plainAsTls}) {
        DownloadTask task;
        task.strURL = url;
        EXPECT_EQ(Download(task, noStop), DOWNLOAD_E_REQUEST) << Narrow(url);
    }
}

TEST(FileNameFromURL, TakesTheTextAfterTheLastSlash) {
    EXPECT_EQ(FileNameFromURL(L"http://h/a/b.exe"), L"b.exe");
    EXPECT_EQ(FileNameFromURL(L"http://h/a/app.ini?t=1"), L"app.ini?t=1");
    EXPECT_EQ(FileNameFromURL(L"http://h/a/"), L"");
    EXPECT_EQ(FileNameFromURL(L"no-slash"), L"");
}

}  // namespace

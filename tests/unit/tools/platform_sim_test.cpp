// platform-sim as a real process, every host on a port the system picks.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TestEnvironment.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

extern char** environ;

namespace {

const std::vector<std::string> kHosts = {"login", "pay",   "download", "stats",
                                         "site",  "forum", "service"};

// Starts a program with its standard output and error in files; no shell in between.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& out, const std::string& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// The exit code, or -1 when the process did not end normally within the time.
int WaitExit(pid_t pid, std::chrono::seconds limit = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A port that was free a moment ago, for the cases that need a known port nobody serves.
int FreePort() {
    const int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    socklen_t size = sizeof(addr);
    getsockname(sock, reinterpret_cast<sockaddr*>(&addr), &size);
    close(sock);
    return ntohs(addr.sin_port);
}

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class Sim {
public:
    // Every host on a free port, then the extra options; waits until it is ready or has ended.
    explicit Sim(const std::vector<std::string>& extra) {
        std::vector<std::string> argv = {PLATFORM_SIM, "--log", Path("requests.log"),
                                         "--ready-file", Path("ready")};
        for (const std::string& host : kHosts) {
            argv.insert(argv.end(), {"--host", host + "=127.0.0.1:0"});
        }
        argv.insert(argv.end(), extra.begin(), extra.end());
        m_pid = Spawn(argv, Path("stdout"), Path("stderr"));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(Path("ready")) && std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                m_pid = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::istringstream lines(ReadFile(Path("ready")));
        std::string host, base;
        while (lines >> host >> base) {
            m_bases[host] = base;
        }
    }
    ~Sim() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool running() const { return m_pid > 0; }
    // The exit code of a sim that ended while starting.
    int exitCode() const { return m_exitCode; }
    std::string Path(const std::string& name) const { return m_dir.path() + "/" + name; }
    std::string Base(const std::string& host) const {
        const auto it = m_bases.find(host);
        return it == m_bases.end() ? "" : it->second;
    }
    std::string Port(const std::string& host) const {
        const std::string base = Base(host);
        return base.substr(base.rfind(':') + 1);
    }
    httplib::Result Get(const std::string& host, const std::string& target) const {
        httplib::Client client(Base(host));
        client.set_url_encode(false);
        return client.Get(target.c_str());
    }
    std::string Log() const { return ReadFile(Path("requests.log")); }

    int Stop(int signal = SIGTERM) {
        kill(m_pid, signal);
        const int code = WaitExit(m_pid);
        m_pid = -1;
        return code;
    }

private:
    TempDir m_dir;
    pid_t m_pid = -1;
    int m_exitCode = -1;
    std::map<std::string, std::string> m_bases;
};

// ---------------------------------------------------------------------------------------------

struct PageCase {
    const char* name;
    const char* host;
    const char* target;
    int status;
    const char* bodyPart;
};

class PlatformSimPages : public ::testing::TestWithParam<PageCase> {};

// Each request answers as the client expects and leaves exactly one log line with the target as
// it was sent.
TEST_P(PlatformSimPages, AnswersAndLogsTheRawTarget) {
    const PageCase& c = GetParam();
    Sim sim({});
    ASSERT_TRUE(sim.running());
    const auto res = sim.Get(c.host, c.target);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, c.status);
    EXPECT_NE(res->body.find(c.bodyPart), std::string::npos) << res->body;
    EXPECT_EQ(sim.Log(), std::string(c.host) + " " + sim.Port(c.host) + " GET " + c.target + " " +
                             std::to_string(c.status) + "\n");
    EXPECT_EQ(sim.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, PlatformSimPages,
    ::testing::Values(
        PageCase{"LoginPageShowsItsQuery", "login",
                 "/controller/client.php?game_id=237&tpl_type=game1&refer=r%20x&uid=u1&version=3001"
                 "&installtime=20250301&runcount=2&curtime=20250301101500&showlogintype=3",
                 200, "refer=<b>r x</b>"},
        PageCase{"LoginPageEntersWithTheMarkers", "login",
                 "/controller/client.php?game_id=237&tpl_type=game1", 200,
                 "wd_server=' + chosen + '&wd_entergame=1&wd_username="},
        PageCase{"GamePageTitleNamesTheServer", "login",
                 "/game/enter.php?wd_server=S12&wd_entergame=1&wd_username=%E5%B0%8F", 200,
                 "<title>Tiv《Velkora》S12</title>"},
        PageCase{"GamePageEscapesTheUserName", "login",
                 "/game/enter.php?wd_entergame=1&wd_username=a%3Cb", 200, "勇者 a&lt;b"},
        PageCase{"GamePageLeavesWithTheMarker", "login",
                 "/game/enter.php?wd_server=S3&wd_entergame=1", 200,
                 "href=\"/game/leave.php?wd_returnlogin=1\">返回登录"},
        PageCase{"LeavePage", "login", "/game/leave.php?wd_returnlogin=1", 200, "重新登录"},
        PageCase{"PayPageShowsItsQuery", "pay",
                 "/select.php?gamename=vlk&gameserver=S3&username=bob%26co", 200,
                 "<td>bob&amp;co</td>"},
        PageCase{"OfficialSite", "site", "/", 200, "官方网站"},
        PageCase{"Guides", "site", "/gonglue/", 200, "游戏攻略"},
        PageCase{"ForumBoard", "forum", "/index.php?gid=" FORUM_BOARD, 200, "Velkora 讨论区"},
        PageCase{"UnknownForumBoard", "forum", "/index.php?gid=1", 404, "版块不存在"},
        PageCase{"CustomerService", "service", "/", 200, "客服中心"},
        PageCase{"Statistics", "stats",
                 "/controller/istat.controller.php?item=vlkclient1&platform=tivnet&game_id=237"
                 "&ext_1=5&ext_2=&ext_3=a%26b&ext_4=0A1B&ext_5=F00D&ext_6=2&browser_type=3001",
                 200, "ok"},
        PageCase{"UnknownPath", "download", "/Tiv/vlk/official/missing.ini", 404, ""}),
    CaseName<PageCase>);

// ---------------------------------------------------------------------------------------------

struct VersionCase {
    const char* name;
    std::vector<std::string> options;
    std::string file;
};

class PlatformSimVersionFile : public ::testing::TestWithParam<VersionCase> {};

TEST_P(PlatformSimVersionFile, CarriesTheOfferedVersion) {
    Sim sim(GetParam().options);
    ASSERT_TRUE(sim.running());
    const auto res = sim.Get("download", "/Tiv/vlk/official/app.ini");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, GetParam().file);
    EXPECT_EQ(sim.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, PlatformSimVersionFile,
    ::testing::Values(
        // By default the client's own version: nothing newer is offered.
        VersionCase{"ClientsOwnByDefault",
                    {},
                    "[version]\ncurrentversion=" CLIENT_VERSION_TEXT "\nupgraderange=\n"},
        VersionCase{"FromOptions",
                    {"--current-version", "3.0.0.2", "--upgrade-range", "3000-3001"},
                    "[version]\ncurrentversion=3.0.0.2\nupgraderange=3000-3001\n"}),
    CaseName<VersionCase>);

// ---------------------------------------------------------------------------------------------

struct FaultCase {
    const char* name;
    std::vector<std::string> options;
    const char* host;
    const char* target;
    int status;  // 0: the connection is refused
    int minMs;   // the answer takes at least this long
};

class PlatformSimFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PlatformSimFaults, AffectOnlyTheirHost) {
    const FaultCase& c = GetParam();
    Sim sim(c.options);
    ASSERT_TRUE(sim.running());
    const auto start = std::chrono::steady_clock::now();
    const auto res = sim.Get(c.host, c.target);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    if (c.status == 0) {
        EXPECT_FALSE(res);
        EXPECT_EQ(res.error(), httplib::Error::Connection);
        EXPECT_EQ(sim.Log(), "");
    } else {
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, c.status);
        EXPECT_GE(ms, c.minMs);
        EXPECT_EQ(sim.Log(), std::string(c.host) + " " + sim.Port(c.host) + " GET " + c.target +
                                 " " + std::to_string(c.status) + "\n");
    }
    const auto other = sim.Get("service", "/");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->status, 200);
    EXPECT_EQ(sim.Stop(), 0);
}

const std::string kRefusedPay = "pay=127.0.0.1:" + std::to_string(FreePort());

INSTANTIATE_TEST_SUITE_P(
    Options, PlatformSimFaults,
    ::testing::Values(
        FaultCase{"DownloadError404",
                  {"--error", "download=404"},
                  "download",
                  "/Tiv/vlk/official/app.ini",
                  404,
                  0},
        FaultCase{"LoginError500",
                  {"--error", "login=500"},
                  "login",
                  "/controller/client.php?game_id=237",
                  500,
                  0},
        FaultCase{"ErrorOnEveryPath", {"--error", "stats=500"}, "stats", "/no/such/path", 500, 0},
        FaultCase{"Delay",
                  {"--delay", "stats=600"},
                  "stats",
                  "/controller/istat.controller.php?item=x",
                  200,
                  600},
        // Refused even though it was given an address: nothing listens there.
        FaultCase{
            "Refused", {"--host", kRefusedPay, "--refuse", "pay"}, "pay", "/select.php", 0, 0}),
    CaseName<FaultCase>);

TEST(PlatformSim, ReadyFileListsOnlyServedHosts) {
    Sim sim({"--refuse", "pay", "--refuse", "forum"});
    ASSERT_TRUE(sim.running());
    for (const std::string& host : kHosts) {
        EXPECT_EQ(sim.Base(host).empty(), host == "pay" || host == "forum") << host;
    }
    EXPECT_EQ(ReadFile(sim.Path("stderr")), "platform-sim ready\n");
    EXPECT_EQ(sim.Stop(), 0);
}

// ---------------------------------------------------------------------------------------------

// The client saves the upgrader, makes it executable and starts it with "/S" alone.
TEST(PlatformSim, UpgraderRecordsHowItWasStarted) {
    TempDir dir;
    const std::string record = dir.path() + "/it's upgrader.log";  // a quote in the path
    Sim sim({"--upgrader-log", record});
    ASSERT_TRUE(sim.running());
    const auto res = sim.Get("download", "/Tiv/vlk/official/Rared_Uruvir.exe");
    ASSERT_TRUE(res);
    ASSERT_EQ(res->status, 200);
    const std::string upgrader = dir.path() + "/TivStavelUpgrade.exe";
    WriteFile(upgrader, res->body);
    chmod(upgrader.c_str(), 0700);

    for (int run = 0; run < 2; ++run) {
        const pid_t pid = Spawn({upgrader, "/S"}, dir.path() + "/out", dir.path() + "/err");
        ASSERT_GT(pid, 0);
        EXPECT_EQ(WaitExit(pid), 0);
    }
    EXPECT_EQ(ReadFile(record), "args: /S\nargs: /S\n");
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(PlatformSim, StopsCleanlyOnInterruptAndTerminate) {
    for (int signal : {SIGINT, SIGTERM}) {
        Sim sim({});
        ASSERT_TRUE(sim.running());
        EXPECT_EQ(sim.Stop(signal), 0) << signal;
    }
}

// A delayed answer in flight must not hold up the end.
TEST(PlatformSim, StopCutsDelaysShort) {
    Sim sim({"--delay", "login=60000"});
    ASSERT_TRUE(sim.running());
    std::thread request([&sim] { sim.Get("login", "/controller/client.php"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(sim.Stop(), 0);
    request.join();
}

// Taken by another sim: a second stand-in must not quietly share the port with the first.
TEST(PlatformSim, TakenPortFailsWithTheHostNamed) {
    Sim first({});
    ASSERT_TRUE(first.running());
    const std::string port = first.Port("forum");

    Sim second({"--host", "forum=127.0.0.1:" + port});
    EXPECT_FALSE(second.running());
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_NE(ReadFile(second.Path("stderr")).find("forum host on 127.0.0.1:" + port),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(second.Path("ready")));
    EXPECT_EQ(first.Stop(), 0);
}

// ---------------------------------------------------------------------------------------------

struct CommandLineCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    const char* stream;
    const char* text;
};

class PlatformSimCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(PlatformSimCommandLine, ExplainsAndExits) {
    const CommandLineCase& c = GetParam();
    TempDir dir;
    std::vector<std::string> argv = {PLATFORM_SIM};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const pid_t pid = Spawn(argv, dir.path() + "/stdout", dir.path() + "/stderr");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitExit(pid), c.exitCode);
    const std::string output = ReadFile(dir.path() + "/" + c.stream);
    EXPECT_NE(output.find(c.text), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Options, PlatformSimCommandLine,
    ::testing::Values(
        CommandLineCase{"Help", {"--help"}, 0, "stdout", "login " LOGIN_HOST "\n"},
        CommandLineCase{"UnknownOption", {"--bogus", "1"}, 2, "stderr", "unknown option '--bogus'"},
        CommandLineCase{"StrayArgument", {"stray"}, 2, "stderr", "unexpected argument 'stray'"},
        CommandLineCase{"MissingValue", {"--log"}, 2, "stderr", "--log needs a value"},
        CommandLineCase{"UnknownHost", {"--refuse", "moon"}, 2, "stderr", "unknown host 'moon'"},
        CommandLineCase{
            "DelayWithoutValue", {"--delay", "login"}, 2, "stderr", "expected HOST=VALUE"},
        CommandLineCase{"NegativeDelay", {"--delay", "login=-5"}, 2, "stderr", "HOST=MILLISECONDS"},
        CommandLineCase{"ErrorNotAnError", {"--error", "login=200"}, 2, "stderr", "400 to 599"},
        CommandLineCase{"HostWithoutPort", {"--host", "login=127.0.0.1"}, 2, "stderr", "IP:PORT"},
        CommandLineCase{
            "HostNotHttp", {"--host", "login=https://127.0.0.1:1"}, 2, "stderr", "IP:PORT"},
        CommandLineCase{
            "PortTooLarge", {"--host", "login=127.0.0.1:70000"}, 2, "stderr", "IP:PORT"}),
    CaseName<CommandLineCase>);

}  // namespace

// The real client and platform-sim under Xvfb, driven like a user: the typical run from the first
// start to quitting, and the login host failing.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/ClientSession.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kW = ClientSession::kScreenWidth;
constexpr int kH = ClientSession::kScreenHeight;
const std::string kLoginPage = "GET /controller/client.php?";
const std::string kEnterGame = "GET /game/enter.php?";
const std::string kPayPage = "http://127.0.0.1:47802/select.php";

Rect LoginRect() {
    return CentredRect(1024, 700);
}

// Login window and background, both centred and of the same size.
void WaitForLoginWindows(const ClientSession& session) {
    session.WaitForShownRects({LoginRect(), LoginRect()});
}

void ClickLoginWindow(const ClientSession& session, int x, int y) {
    session.Click(LoginRect().x + x, LoginRect().y + y);
}

// Answers the quit confirmation that the login window's close button asks.
void CloseLoginWindow(const ClientSession& session, const std::string& answerKeys) {
    ClickLoginWindow(session, 985, 177);
    session.WaitForShownTitle("提示");
    session.Key(answerKeys);
}

// Screen points of the retry label's yellow text.
std::vector<std::pair<int, int>> YellowRetryText(const ClientSession& session) {
    const Rect label{LoginRect().x + 498, LoginRect().y + 428, 320, 26};
    const auto pixels = session.ScreenPixels(label);
    std::vector<std::pair<int, int>> yellow;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i].r > 200 && pixels[i].g > 200 && pixels[i].b < 90) {
            yellow.emplace_back(label.x + static_cast<int>(i) % label.width,
                                label.y + static_cast<int>(i) / label.width);
        }
    }
    return yellow;
}

std::string DescribeRetryText(const ClientSession& session) {
    return " " + std::to_string(YellowRetryText(session).size()) + " yellow pixels in the label";
}

TEST(TypicalRun, FirstAndSecondStartCountTheRunAndQuitOnlyWhenConfirmed) {
    ClientSession session;
    session.StartSim();
    session.StartClient();
    const std::string first = session.WaitForRequest(kLoginPage);
    EXPECT_NE(first.find("&version=3001&"), std::string::npos) << first;
    EXPECT_NE(first.find("&runcount=1&"), std::string::npos) << first;
    EXPECT_NE(first.find("&showlogintype=3&regtimes=1 200"), std::string::npos) << first;
    WaitForLoginWindows(session);

    CloseLoginWindow(session, "Return");  // No is the default answer
    WaitForLoginWindows(session);
    EXPECT_TRUE(session.ClientRunning());

    CloseLoginWindow(session, "alt+y");
    EXPECT_EQ(session.WaitForClientExit(), 0);
    EXPECT_NE(session.Settings().find("RunCount=1"), std::string::npos) << session.Settings();

    session.StartClient();
    const std::string second = session.WaitForRequest(kLoginPage, 2);
    EXPECT_NE(second.find("&runcount=2&"), std::string::npos) << second;
    EXPECT_NE(second.find("&showlogintype=3 200"), std::string::npos) << second;
    EXPECT_EQ(second.find("regtimes"), std::string::npos) << second;
    EXPECT_NE(session.Settings().find("RunCount=2"), std::string::npos) << session.Settings();
    WaitForLoginWindows(session);
    EXPECT_EQ(session.StopClient(), 0);  // SIGTERM ends the client as a confirmed quit does
}

TEST(TypicalRun, LoginWindowsAreRevealedCentredOnlyOnceThePageLoaded) {
    ClientSession session;
    session.StartSim({"--delay", "login=4000"});
    session.StartClient();
    const auto start = std::chrono::steady_clock::now();
    // Well inside the sim's delay: the windows exist, but nothing is on the screen yet.
    while (std::chrono::steady_clock::now() - start < 2500ms) {
        ASSERT_TRUE(session.ShownWindows().empty()) << session.DescribeShownWindows();
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(session.Requests(kLoginPage).empty());
    int created = 0;
    for (const auto& window : session.Windows()) {
        created += window.rect.width == 1024 && window.rect.height == 700 ? 1 : 0;
    }
    EXPECT_EQ(created, 2);

    WaitForLoginWindows(session);
    EXPECT_EQ(session.Requests(kLoginPage).size(), 1U);
}

TEST(TypicalRun, EnteringTheGameSwitchingItsModeAndReturningToLogin) {
    ClientSession session;
    session.StartSim();
    session.StartClient();
    const std::string login = session.WaitForRequest(kLoginPage);
    WaitForLoginWindows(session);

    ClickLoginWindow(session, 550, 220);  // pay, before anyone logged in
    EXPECT_EQ(session.WaitForOpenedAddress(kPayPage),
              kPayPage + "?gamename=vlk&gameserver=&username=");

    // The page focused its user-name field; keys go to the window under the pointer.
    session.MoveTo(LoginRect().x + 658, LoginRect().y + 441);
    session.Type("alice");
    session.Key("Tab");
    session.Type("secret");
    session.Key("Return");
    const Rect screen{0, 0, kW, kH};
    session.WaitForShownRects({screen});
    const std::string entered = session.WaitForRequest(kEnterGame);
    EXPECT_NE(entered.find("wd_server=S12&wd_entergame=1&wd_username=alice 200"), std::string::npos)
        << entered;

    session.Click(kW - 399, 17);  // the tool bar's pay button
    EXPECT_EQ(session.WaitForOpenedAddress("gameserver=S12"),
              kPayPage + "?gamename=vlk&gameserver=S12&username=alice");

    session.DoubleClick(600, 19);
    const Rect restored = CentredRect(1250, 700);
    session.WaitForShownRects({restored});
    session.DoubleClick(restored.x + 600, restored.y + 19);
    session.WaitForShownRects({screen});
    // Only the game window asked for the entering address; the login window cancelled it.
    EXPECT_EQ(session.Requests(kEnterGame).size(), 1U);

    session.Click(kW - 60, 38 + 21);  // "返回登录"
    WaitForLoginWindows(session);
    EXPECT_EQ(session.WaitForRequest(kLoginPage, 2), login);
}

TEST(TypicalRun, RefusedLoginHostShowsTheRetryTextThatLoadsThePageOnceTheHostAnswers) {
    ClientSession session;
    session.StartSim({"--refuse", "login"});
    session.StartClient();
    WaitForLoginWindows(session);
    WaitUntil(
        "the yellow retry text", [&] { return YellowRetryText(session).size() > 50; },
        [&] { return DescribeRetryText(session); });
    const std::string settings = session.Settings();
    EXPECT_NE(settings.find("[Error]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("ErrorUrl=http://127.0.0.1:47801/controller/client.php?"),
              std::string::npos)
        << settings;

    session.StopSim();
    session.StartSim();
    // The label's background is the colour key, which lets clicks through: aim at the text.
    const auto [x, y] = YellowRetryText(session).front();
    session.Click(x, y);
    EXPECT_NE(session.WaitForRequest(kLoginPage).find(" 200"), std::string::npos);
    // The page covers the label, and the windows stay where they were.
    WaitUntil(
        "the page to cover the retry text", [&] { return YellowRetryText(session).empty(); },
        [&] { return DescribeRetryText(session); });
    WaitForLoginWindows(session);
}

}  // namespace
}  // namespace e2e

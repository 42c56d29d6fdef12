// The game window's settings menu and its notification-area icon, with the real client.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/ClientSession.h"

namespace e2e {
namespace {

constexpr int kW = ClientSession::kScreenWidth;
constexpr int kH = ClientSession::kScreenHeight;
const std::string kEnterGame = "GET /game/enter.php?";
// Tool-bar buttons of the game window filling the screen, from the right: close 31, maximise 32,
// minimise 30, tray 32 pixels wide, then 20 pixels and the settings button (52 × 24, top 5).
constexpr int kTrayX = kW - 31 - 32 - 30 - 16;
constexpr int kSettingsX = kW - 31 - 32 - 30 - 32 - 20 - 26;

void EnterGame(ClientSession& session) {
    session.StartSim();
    session.StartClient();
    session.WaitForShownRects({CentredRect(1024, 700), CentredRect(1024, 700)});
    session.MoveTo(CentredRect(1024, 700).x + 658, CentredRect(1024, 700).y + 441);
    session.Type("alice");
    session.Key("Tab");
    session.Type("secret");
    session.Key("Return");
    session.WaitForShownRects({Rect{0, 0, kW, kH}});
    session.WaitForRequest(kEnterGame);
}

TEST(GameMenus, SettingsMenuRefreshesThePageAndClearsTheCache) {
    ClientSession session;
    EnterGame(session);

    session.Click(kSettingsX, 17);
    session.Key("Down Return");  // "刷新"
    session.WaitForRequest(kEnterGame, 2);

    session.Click(kSettingsX, 17);
    session.Key("Down Down Return");  // "清理缓存"
    session.WaitForShownTitle("提示");
    session.Key("Return");
    session.WaitForShownRects({Rect{0, 0, kW, kH}});
    EXPECT_EQ(session.Requests(kEnterGame).size(), 2U);
    EXPECT_EQ(session.StopClient(), 0);
}

// No tray took the icon: the window goes to the task bar, never hidden with no way back.
TEST(GameMenus, WithoutATrayTheWindowIsMinimisedInstead) {
    ClientSession session;
    EnterGame(session);
    const Window game = session.ShownWindows().front().id;
    session.Click(kTrayX, 15);
    WaitUntil(
        "the game window to be minimised",
        [&] { return session.MinimiseRequests() == std::vector<Window>{game}; },
        [&] { return std::to_string(session.MinimiseRequests().size()) + " requests"; });
    // Without a window manager nobody minimises it, and it stays mapped.
    session.WaitForShownRects({Rect{0, 0, kW, kH}});
    EXPECT_EQ(session.StopClient(), 0);
}

// With a tray running, the tray button hides the game window behind an icon; where a click hits it.
std::pair<int, int> HideInTray(ClientSession& session) {
    session.StartTray();
    EnterGame(session);
    session.Click(kTrayX, 15);
    return session.WaitForTrayIcons(1);
}

TEST(GameMenus, TrayIconHidesTheWindowAndBringsItBack) {
    ClientSession session;
    const auto [iconX, iconY] = HideInTray(session);
    session.WaitForShownRects({});

    session.Click(iconX, iconY);
    session.WaitForShownRects({Rect{0, 0, kW, kH}});
    session.WaitForTrayIcons(0);
    EXPECT_EQ(session.StopClient(), 0);
}

// The game ends, the client does not: the login window comes back.
TEST(GameMenus, TrayMenuEndsTheGameOnlyWhenConfirmed) {
    ClientSession session;
    const auto [iconX, iconY] = HideInTray(session);

    session.Click(iconX, iconY, 3);
    session.Key("Down Down Return");  // "退出"
    session.WaitForShownTitle("提示");
    session.Key("Return");  // the default answer keeps the game
    session.WaitForShownRects({});
    EXPECT_TRUE(session.ClientRunning());
    session.WaitForTrayIcons(1);

    session.Click(iconX, iconY, 3);
    session.Key("Down Down Return");
    session.WaitForShownTitle("提示");
    session.Key("alt+y");
    session.WaitForShownRects({CentredRect(1024, 700), CentredRect(1024, 700)});
    session.WaitForTrayIcons(0);
    EXPECT_EQ(session.StopClient(), 0);
}

}  // namespace
}  // namespace e2e

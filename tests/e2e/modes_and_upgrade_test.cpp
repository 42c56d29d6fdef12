// The installer's and uninstaller's starts, the show-desktop shortcut, and an offered upgrade,
// with the real client and platform-sim.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/ClientSession.h"

namespace e2e {
namespace {

const std::string kReport = "GET /controller/istat.controller.php?";
const std::string kVersionFile = "GET /Tiv/vlk/official/app.ini";
const std::string kUpgrader = "GET /Tiv/vlk/official/Rared_Uruvir.exe";

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Modes, ReportStartsSendTheirReportAndEndAlsoWhenItFails) {
    const struct {
        const char* name;
        std::vector<std::string> switches;
        std::vector<std::string> simOptions;
        const char* eventCode;  // ext_1 of the one report sent
        const char* runCount;   // in Stavel.ini afterwards
    } cases[] = {
        {"install", {"/setupsucc"}, {}, "&ext_1=2&", "RunCount=4"},
        {"uninstall", {"/uninstallsucc"}, {}, "&ext_1=6&", "RunCount=5"},
        {"both switches: install only", {"/uninstallsucc", "/setupsucc"}, {}, "&ext_1=2&",
         "RunCount=4"},
        {"install, report failing", {"/setupsucc"}, {"--error", "stats=500"}, "&ext_1=2&",
         "RunCount=4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClientSession session("[Common]\nRunCount=4\n");
        session.StartSim(c.simOptions);
        session.StartClient(c.switches);
        EXPECT_NE(session.WaitForRequest(kReport).find(c.eventCode), std::string::npos);
        EXPECT_EQ(session.WaitForClientExit(), 0);
        EXPECT_EQ(session.Requests(kReport).size(), 1u);
        EXPECT_TRUE(session.Requests("GET /controller/client.php").empty());
        EXPECT_NE(session.Settings().find(c.runCount), std::string::npos) << session.Settings();
        EXPECT_TRUE(session.ShownWindows().empty());
    }
}

TEST(Modes, ShowDesktopEndsAtOnceWithoutCountingARun) {
    ClientSession session("[Common]\nRunCount=7\n");
    session.StartSim();
    session.StartClient({"/ShowDeskTop"});
    EXPECT_EQ(session.WaitForClientExit(), 0);
    EXPECT_TRUE(session.SimLog().empty());
    EXPECT_NE(session.Settings().find("RunCount=7"), std::string::npos) << session.Settings();
}

TEST(Upgrade, AnAcceptedOfferStartsTheUpgraderSilentlyOnceForThatVersion) {
    ClientSession session;
    session.StartSim({"--current-version", "3.0.0.2"});
    session.StartClient();
    session.WaitForRequest(kVersionFile);
    session.WaitForShownTitle("升级提醒");
    session.Key("Return");  // the offer's only button
    session.WaitForRequest(kUpgrader);
    EXPECT_EQ(session.WaitForClientExit(), 0);
    WaitUntil(
        "the upgrader to record its arguments",
        [&] { return !ReadText(session.folder() + "/upgrader.log").empty(); },
        [&] { return " nothing recorded"; });
    EXPECT_EQ(ReadText(session.folder() + "/upgrader.log"), "args: /S\n");
    EXPECT_NE(ReadText(session.folder() + "/data/zu_vazez/Upgrade/LastUpgrade.ini")
                  .find("lastUpgradeVer=3.0.0.2"),
              std::string::npos);

    // The same version file at the next start offers nothing.
    session.StartClient();
    session.WaitForRequest(kVersionFile, 2);
    session.WaitForShownRects({CentredRect(1024, 700), CentredRect(1024, 700)});
    EXPECT_EQ(session.Requests(kUpgrader).size(), 1u);
    EXPECT_EQ(session.StopClient(), 0);
}

TEST(Upgrade, VersionFilesThatOfferNothingLeaveTheLoginAsItIs) {
    const struct {
        const char* current;
        const char* range;
    } cases[] = {
        {"3.0.0.1", ""},           // the running version
        {"3.0.0.0", ""},           // an older one
        {"3.0.0.2", "2000-3000"},  // newer, but not for this version
        {"3.0.0.2", "3.0.0.1"},    // a dotted range item reads as 3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " range " + c.range);
        ClientSession session;
        session.StartSim({"--current-version", c.current, "--upgrade-range", c.range});
        session.StartClient();
        session.WaitForRequest(kVersionFile);
        session.WaitForShownRects({CentredRect(1024, 700), CentredRect(1024, 700)});
        EXPECT_TRUE(session.Requests(kUpgrader).empty());
        EXPECT_EQ(session.StopClient(), 0);
    }
}

TEST(Upgrade, AnUpgraderThatCannotBeFetchedBringsTheLoginBack) {
    // Nothing listens on port 9 of this test's own network.
    ClientSession session("[Common]\nVersionDownLoad=http://127.0.0.1:9/Rared_Uruvir.exe\n");
    session.StartSim({"--current-version", "3.0.0.2"});
    session.StartClient();
    session.WaitForShownTitle("升级提醒");
    session.Key("Return");
    session.WaitForShownRects({CentredRect(1024, 700), CentredRect(1024, 700)});
    EXPECT_TRUE(session.ClientRunning());
    EXPECT_EQ(ReadText(session.folder() + "/data/zu_vazez/Upgrade/LastUpgrade.ini"), "");
    EXPECT_EQ(session.StopClient(), 0);
}

}  // namespace
}  // namespace e2e

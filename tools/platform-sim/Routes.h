// What each host answers. Every page uses paths relative to its own host, so the pages work on
// whatever port the host listens.
#pragma once

#include <httplib.h>

#include "Hosts.h"
#include "Options.h"

void AddRoutes(Host host, httplib::Server& server, const Options& options);

// Login host: the login page, the game page and the page that leaves the game.
void AddLoginHostPages(httplib::Server& server);
void AddPayPages(httplib::Server& server);
// The official site and its guides.
void AddSitePages(httplib::Server& server);
void AddForumPages(httplib::Server& server);
void AddServicePages(httplib::Server& server);
// Download host: the version file and the upgrader.
void AddDownloads(httplib::Server& server, const Options& options);
// Statistics host.
void AddStatistics(httplib::Server& server);

#include "Routes.h"

void AddRoutes(Host host, httplib::Server& server, const Options& options) {
    switch (host) {
        case Host::Login:
            AddLoginHostPages(server);
            break;
        case Host::Download:
            AddDownloads(server, options);
            break;
        case Host::Stats:
            AddStatistics(server);
            break;
        case Host::Pay:
            AddPayPages(server);
            break;
        case Host::Site:
            AddSitePages(server);
            break;
        case Host::Forum:
            AddForumPages(server);
            break;
        case Host::Service:
            AddServicePages(server);
            break;
    }
}

#include "Routes.h"

void AddStatistics(httplib::Server& server) {
    // The client never reads the answer; the request log keeps the query for the tests.
    server.Get("/controller/istat.controller.php",
               [](const httplib::Request&, httplib::Response& res) {
                   res.set_content("ok\n", "text/plain; charset=utf-8");
               });
}

// The tasks the client posts to the download pool, and the one callback that completes them all.
#pragma once

#include <cstdint>

#include "net/DownloadTask.h"

// nTaskId of every task the client posts; the value tells the callback what to do at its end.
enum ClientTaskId : std::int32_t {
    TASK_VERSION_FILE = 0,
    TASK_UPGRADER = 1,
    TASK_INSTALL_REPORT = 3,
    TASK_UNINSTALL_REPORT = 4,
    TASK_ACTIVE_REPORT = 5,
};

// The DownloadCallback of every client task, with the application object as pUserData. Runs on
// a pool worker and acts on DOWNLOAD_FINISHED only.
std::int32_t OnDownloadDone(void* pUserData, std::int32_t nTaskId, std::int32_t nEvent,
                            std::int32_t nValue, std::intptr_t nExtra);

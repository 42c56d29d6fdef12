// A request for the download pool, and how the pool reports on it.
#pragma once

#include <cstdint>
#include <string>

enum DownloadEvent {
    DOWNLOAD_STARTED = 1,
    DOWNLOAD_PROGRESS = 2,
    DOWNLOAD_FINISHED = 3,
};

// Called on the worker thread: (pUserData, nTaskId, event, value, extra). For DOWNLOAD_PROGRESS
// extra is the percentage received; for DOWNLOAD_FINISHED value is the DownloadResult and extra a
// pointer to the task, valid during the call only. The return value is ignored.
using DownloadCallback = std::int32_t (*)(void* pUserData, std::int32_t nTaskId,
                                          std::int32_t nEvent, std::int32_t nValue,
                                          std::intptr_t nExtra);

// Callers build one and post it; the pool keeps its own copy, post body included.
struct DownloadTask {
    std::wstring strURL;
    // The output file, or its folder when a naming flag is set; empty: the body is not read.
    std::wstring strFilePath;
    const char* pPostData = nullptr;  // a POST when present
    std::int32_t nPostDataLength = 0;
    std::int32_t nRetryCount = 0;
    DownloadCallback pfnCallback = nullptr;
    void* pUserData = nullptr;
    std::int32_t nTaskId = 0;
    std::int32_t bAppendUrlFileName = 0;
    std::int32_t bAppendGuidFileName = 0;  // ignored when bAppendUrlFileName is set
    std::int32_t bDeleteOnFailure = 1;
};

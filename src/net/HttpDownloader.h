// One HTTP transfer of a download task, run on a pool worker.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "net/DownloadTask.h"

using DownloadResult = std::int32_t;

enum : DownloadResult {
    DOWNLOAD_OK = 0,
    DOWNLOAD_STOPPED = -1,
    DOWNLOAD_E_CONNECT = -2,  // no client handle, or the address cannot be split
    DOWNLOAD_E_REQUEST = -3,  // not sent: no connection, a refused TLS handshake, ...
    DOWNLOAD_E_STATUS = -4,   // no status, 400 or above, or no content length for a file
    DOWNLOAD_E_CREATEFILE = -5,
    DOWNLOAD_E_READ = -6,  // includes a body that ends before its announced length
    DOWNLOAD_E_WRITE = -7,
};

// Sends the task's request and, when it names an output file, streams the body into it. Stores the
// composed output path in task.strFilePath. Gives DOWNLOAD_STOPPED once stop is seen set.
DownloadResult Download(DownloadTask& task, const std::atomic<bool>& stop);

// The text after the last "/" (query included); empty when there is none.
std::wstring FileNameFromURL(const std::wstring& url);

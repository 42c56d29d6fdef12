#include "net/HttpDownloader.h"

#include <algorithm>

#include "app/Folders.h"
#include "app/GuidText.h"
#include "net/AddressParts.h"
#include "platform/file.h"
#include "platform/http.h"

namespace {

constexpr wchar_t kUserAgent[] = L"HTTPDownloader";
constexpr wchar_t kFormContentType[] =
    L"Content-Type: application/x-www-form-urlencoded; charset=UTF-8;";
constexpr std::uint32_t kBlockSize = 10240;
constexpr std::uint32_t kFirstErrorStatus = 400;

std::wstring ComposeOutputPath(const DownloadTask& task) {
    if (task.bAppendUrlFileName) {
        return EnsureTrailingBackslash(task.strFilePath) + FileNameFromURL(task.strURL);
    }
    if (task.bAppendGuidFileName) {
        return EnsureTrailingBackslash(task.strFilePath) + NewGuidText() + L"_" +
               FileNameFromURL(task.strURL);
    }
    return task.strFilePath;
}

std::int32_t Percent(std::uint32_t received, std::uint32_t total) {
    std::uint64_t percent = static_cast<std::uint64_t>(received) * 100 / total;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(percent, 100));
}

void ReportProgress(const DownloadTask& task, std::int32_t percent) {
    if (task.pfnCallback != nullptr) {
        task.pfnCallback(task.pUserData, task.nTaskId, DOWNLOAD_PROGRESS, 0, percent);
    }
}

}  // namespace

DownloadResult Download(DownloadTask& task, const std::atomic<bool>& stop) {
    // A step that fails because the stop interrupted it reports the stop, not the step.
    auto failed = [&stop](DownloadResult code) { return stop.load() ? DOWNLOAD_STOPPED : code; };

    plat::HttpAddress address;
    if (!SplitAddress(task.strURL, address)) {
        return DOWNLOAD_E_CONNECT;
    }
    plat::HttpClient client(kUserAgent, stop);
    if (!client.IsOpen()) {
        return DOWNLOAD_E_CONNECT;
    }
    if (stop.load()) {
        return DOWNLOAD_STOPPED;
    }
    if (!client.Connect(address)) {
        return failed(DOWNLOAD_E_CONNECT);
    }
    if (stop.load()) {
        return DOWNLOAD_STOPPED;
    }
    const bool post = task.pPostData != nullptr;
    if (!client.OpenRequest(post ? L"POST" : L"GET") ||
        (post && !client.AddRequestHeader(kFormContentType))) {
        return failed(DOWNLOAD_E_REQUEST);
    }
    if (stop.load()) {
        return DOWNLOAD_STOPPED;
    }
    const std::uint32_t postLength =
        post ? static_cast<std::uint32_t>(std::max<std::int32_t>(task.nPostDataLength, 0)) : 0;
    if (!client.SendRequest(task.pPostData, postLength)) {
        return failed(DOWNLOAD_E_REQUEST);
    }
    if (stop.load()) {
        return DOWNLOAD_STOPPED;
    }
    std::uint32_t status = 0;
    if (!client.QueryStatusCode(status) || status >= kFirstErrorStatus) {
        return DOWNLOAD_E_STATUS;
    }
    if (task.strFilePath.empty()) {
        return DOWNLOAD_OK;
    }

    task.strFilePath = ComposeOutputPath(task);
    std::uint32_t contentLength = 0;
    if (!client.QueryContentLength(contentLength)) {
        return DOWNLOAD_E_STATUS;
    }
    if (stop.load()) {
        return DOWNLOAD_STOPPED;
    }
    plat::FileWriter file;
    if (!file.Create(task.strFilePath)) {
        return DOWNLOAD_E_CREATEFILE;
    }
    static_assert(kBlockSize <= 64 * 1024, "the block lives on the worker's stack");
    char block[kBlockSize];
    std::uint32_t remaining = contentLength;
    while (remaining > 0) {
        if (stop.load()) {
            return DOWNLOAD_STOPPED;
        }
        std::uint32_t read = 0;
        // The server closing before the announced length is a failed read, so the loop cannot
        // spin on empty reads.
        if (!client.ReadBlock(block, std::min(kBlockSize, remaining), read) || read == 0) {
            return failed(DOWNLOAD_E_READ);
        }
        remaining -= read;
        ReportProgress(task, Percent(contentLength - remaining, contentLength));
        if (!file.Write(block, read)) {
            return DOWNLOAD_E_WRITE;
        }
    }
    return DOWNLOAD_OK;
}

std::wstring FileNameFromURL(const std::wstring& url) {
    std::size_t slash = url.rfind(L'/');
    return slash == std::wstring::npos ? std::wstring() : url.substr(slash + 1);
}

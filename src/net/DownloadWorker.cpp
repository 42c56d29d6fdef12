#include "net/DownloadWorker.h"

#include <chrono>
#include <thread>

#include "net/DownloadPool.h"
#include "net/HttpDownloader.h"
#include "platform/file.h"

namespace {

// A worker looks at the queue at least this often, even without a wake-up.
constexpr std::chrono::milliseconds kIdleWait{10000};
constexpr std::chrono::milliseconds kRetryPauseStep{100};
constexpr int kRetryPauseSteps = 10;

void Notify(const DownloadTask& task, std::int32_t event, std::int32_t value, std::intptr_t extra) {
    if (task.pfnCallback != nullptr) {
        task.pfnCallback(task.pUserData, task.nTaskId, event, value, extra);
    }
}

}  // namespace

bool CDownloadWorker::Start() {
    return m_thread.Start(&CDownloadWorker::Loop, this);
}

void CDownloadWorker::RequestStop() {
    m_thread.RequestStop();
    m_wakeUp.Signal();
}

std::int32_t CDownloadWorker::Loop(void* param) {
    auto* self = static_cast<CDownloadWorker*>(param);
    while (!self->Stopping()) {
        std::unique_ptr<PooledTask> pooled = self->m_pool.PopTask();
        if (pooled == nullptr) {
            self->m_wakeUp.Wait(kIdleWait);
            continue;
        }
        self->RunTask(pooled->task);
    }
    return 0;
}

void CDownloadWorker::RunTask(DownloadTask& task) {
    Notify(task, DOWNLOAD_STARTED, 0, 0);
    DownloadResult result = DOWNLOAD_STOPPED;
    for (std::int32_t attempt = 0; attempt <= task.nRetryCount && !Stopping(); ++attempt) {
        if (attempt > 0) {
            PauseBeforeRetry();
            if (Stopping()) {
                break;
            }
        }
        result = Download(task, m_thread.StopFlag());
        if (result == DOWNLOAD_OK) {
            break;
        }
    }
    if (!Stopping()) {
        Notify(task, DOWNLOAD_FINISHED, result, reinterpret_cast<std::intptr_t>(&task));
        if (result == DOWNLOAD_OK) {
            return;
        }
    }
    // A failed task, or one abandoned by the stop, leaves no file behind.
    if (!task.strFilePath.empty() && task.bDeleteOnFailure) {
        plat::RemoveFile(task.strFilePath);
    }
}

void CDownloadWorker::PauseBeforeRetry() {
    for (int step = 0; step < kRetryPauseSteps && !Stopping(); ++step) {
        std::this_thread::sleep_for(kRetryPauseStep);
    }
}

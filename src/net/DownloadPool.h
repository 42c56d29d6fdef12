// The pool that runs every HTTP request of the client on two worker threads, oldest task first.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "net/DownloadTask.h"
#include "net/DownloadWorker.h"

// The pool's own copy of a posted task; the task's pPostData points into postData.
struct PooledTask {
    DownloadTask task;
    std::vector<char> postData;
};

class CDownloadPool {
public:
    CDownloadPool() = default;
    // Stops the workers; tasks still queued are dropped without callbacks.
    ~CDownloadPool();
    CDownloadPool(const CDownloadPool&) = delete;
    CDownloadPool& operator=(const CDownloadPool&) = delete;

    // Starts the workers once (main thread); true when at least one runs.
    bool Start();
    // Copies the task to the queue and wakes the workers; from any thread, a callback included.
    // False when the copy cannot be made. Does not start the workers.
    bool PostTask(const DownloadTask& task);
    // The oldest queued task, now the caller's; null when the queue is empty.
    std::unique_ptr<PooledTask> PopTask();
    // Ends every worker (main thread); a task in progress is abandoned without DOWNLOAD_FINISHED.
    void Stop();

private:
    std::mutex m_queueLock;
    std::deque<std::unique_ptr<PooledTask>> m_queue;
    bool m_bStarted = false;
    int m_nWorkerCount = 2;
    // Changed by Start and Stop only, and never while a worker runs, so PostTask reads it unlocked.
    std::vector<std::unique_ptr<CDownloadWorker>> m_workers;
};

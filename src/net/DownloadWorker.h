// One worker thread of the download pool: takes tasks and runs them until asked to stop.
#pragma once

#include <cstdint>

#include "net/ThreadHolder.h"
#include "net/WakeEvent.h"

class CDownloadPool;
struct DownloadTask;

class CDownloadWorker {
public:
    explicit CDownloadWorker(CDownloadPool& pool) : m_pool(pool) {}

    bool Start();
    // Wakes the worker to look at the queue.
    void WakeUp() { m_wakeUp.Signal(); }
    void RequestStop();
    void Join() { m_thread.Join(); }

private:
    static std::int32_t Loop(void* param);
    void RunTask(DownloadTask& task);
    // Between attempts; ends early when the worker is asked to stop.
    void PauseBeforeRetry();
    bool Stopping() const { return m_thread.StopFlag().load(); }

    CThreadHolder m_thread;
    CDownloadPool& m_pool;
    CWakeEvent m_wakeUp;
};

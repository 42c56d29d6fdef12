#include "net/DownloadPool.h"

#include <new>

CDownloadPool::~CDownloadPool() {
    Stop();
}

bool CDownloadPool::Start() {
    if (m_bStarted) {
        return true;
    }
    for (int i = 0; i < m_nWorkerCount; ++i) {
        auto worker = std::make_unique<CDownloadWorker>(*this);
        if (worker->Start()) {
            m_workers.push_back(std::move(worker));
        }
    }
    m_bStarted = !m_workers.empty();
    return m_bStarted;
}

bool CDownloadPool::PostTask(const DownloadTask& task) {
    try {
        auto pooled = std::make_unique<PooledTask>();
        pooled->task = task;
        pooled->task.pPostData = nullptr;
        pooled->task.nPostDataLength = 0;
        if (task.pPostData != nullptr && task.nPostDataLength > 0) {
            pooled->postData.assign(task.pPostData, task.pPostData + task.nPostDataLength);
            pooled->task.pPostData = pooled->postData.data();
            pooled->task.nPostDataLength = task.nPostDataLength;
        }
        std::lock_guard<std::mutex> guard(m_queueLock);
        m_queue.push_back(std::move(pooled));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (const auto& worker : m_workers) {
        worker->WakeUp();
    }
    return true;
}

std::unique_ptr<PooledTask> CDownloadPool::PopTask() {
    std::lock_guard<std::mutex> guard(m_queueLock);
    if (m_queue.empty()) {
        return nullptr;
    }
    std::unique_ptr<PooledTask> oldest = std::move(m_queue.front());
    m_queue.pop_front();
    return oldest;
}

void CDownloadPool::Stop() {
    // Every worker is told first and freed last: a worker still finishing a callback may post, and
    // posting wakes every worker in the list.
    for (const auto& worker : m_workers) {
        worker->RequestStop();
    }
    for (const auto& worker : m_workers) {
        worker->Join();
    }
    m_workers.clear();
    m_bStarted = false;
}

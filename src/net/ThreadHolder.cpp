#include "net/ThreadHolder.h"

#include <system_error>

CThreadHolder::~CThreadHolder() {
    RequestStop();
    Join();
}

bool CThreadHolder::Start(Body body, void* param) {
    if (m_hThread.joinable()) {
        return false;
    }
    m_pfnBody = body;
    m_pBodyParam = param;
    m_bStop.store(false);
    try {
        m_hThread = std::thread(&CThreadHolder::ThreadProc, this);
    } catch (const std::system_error&) {
        m_bStop.store(true);
        return false;
    }
    return true;
}

void CThreadHolder::Join() {
    if (m_hThread.joinable()) {
        m_hThread.join();
    }
}

std::int32_t CThreadHolder::ThreadProc(CThreadHolder* holder) {
    if (holder != nullptr && holder->m_pfnBody != nullptr) {
        holder->m_pfnBody(holder->m_pBodyParam);
    }
    return 0;
}

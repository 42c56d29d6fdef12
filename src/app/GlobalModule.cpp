#include "app/GlobalModule.h"

#include <new>

#include "net/DownloadPool.h"

CGlobalModule::CGlobalModule() {
    LoadLaunchParameters();
    m_pTaskPool.reset(new (std::nothrow) CDownloadPool);
}

CGlobalModule::~CGlobalModule() {
    // The workers' callbacks reach this object, so they end before any member goes.
    if (m_pTaskPool) {
        m_pTaskPool->Stop();
        m_pTaskPool.reset();
    }
}

BOOL CGlobalModule::PreTranslateMessage(MSG* msg) {
    HWND login = m_formLogin.GetHwnd();
    if (login != nullptr && IsWindowVisible(login) && m_formLogin.PreTranslateMessage(msg)) {
        return 1;
    }
    return m_pFormGame != nullptr && m_pFormGame->PreTranslateMessage(msg);
}

#include "app/GlobalModule.h"

CGlobalModule::CGlobalModule() { LoadLaunchParameters(); }

CGlobalModule::~CGlobalModule() = default;

BOOL CGlobalModule::PreTranslateMessage(MSG* msg) {
    HWND login = m_formLogin.GetHwnd();
    if (login != nullptr && IsWindowVisible(login) && m_formLogin.PreTranslateMessage(msg)) {
        return 1;
    }
    return m_pFormGame != nullptr && m_pFormGame->PreTranslateMessage(msg);
}

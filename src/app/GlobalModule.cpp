#include "app/GlobalModule.h"

CGlobalModule::CGlobalModule() { LoadLaunchParameters(); }

CGlobalModule::~CGlobalModule() = default;

BOOL CGlobalModule::PreTranslateMessage(MSG* msg) {
    HWND login = m_formLogin.GetHwnd();
    return login != nullptr && IsWindowVisible(login) && m_formLogin.PreTranslateMessage(msg);
}

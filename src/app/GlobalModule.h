// The application object: the one static object that owns the windows, the download pool, the
// statistics reporter and the launch parameters, built before the entry function runs.
#pragma once

#include <memory>
#include <string>

#include "platform/window.h"
#include "stats/StatisticsReporter.h"
#include "ui/FormBack.h"
#include "ui/MessageLoop.h"
#include "update/DownloadDone.h"
#include "windows/FormGame.h"
#include "windows/FormLogin.h"

class CDownloadPool;

class CGlobalModule : public CMessageFilter {
public:
    CGlobalModule();
    ~CGlobalModule() override;
    CGlobalModule(const CGlobalModule&) = delete;
    CGlobalModule& operator=(const CGlobalModule&) = delete;

    // The loop's only filter: the visible login window, then the game window, may take keyboard
    // and mouse messages for their pages first.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Keeps a destroyed game window's object until the next one goes: it is destroyed from inside
    // its own handlers, so it cannot be freed at once.
    void RetireGameWindow(CFormGame* game) { m_retiredGame.reset(game); }

    // Launch parameters and run counter.
    void LoadLaunchParameters();
    int CountRun();
    bool IsActivated() const;
    void SetActivated();
    std::wstring GetLoginUrl() const { return m_strLoginUrl; }
    std::wstring GetPayUrl() const;
    std::wstring GetUID() const { return m_strUID; }
    std::wstring GetRefer() const { return m_strRefer; }

    // Posts one report request whose answer goes to the scratch file in the temporary folder;
    // does nothing without a task pool.
    void PostReportRequest(const std::wstring& url, ClientTaskId taskId,
                           const std::wstring& fileName);

    HINSTANCE m_hInstance = nullptr;
    wchar_t m_szTitle[100] = {};
    wchar_t m_szWindowClass[100] = {};
    CFormBack m_formBack;
    CFormLogin m_formLogin;
    CFormGame* m_pFormGame = nullptr;
    // Null when it could not be made: every later post then does nothing.
    std::unique_ptr<CDownloadPool> m_pTaskPool;
    StatisticsReporter m_stats;

    std::wstring m_strRemoteVersion;
    std::wstring m_strLoginUrl;
    std::wstring m_strVersionCheckUrl;
    std::wstring m_strVersionDownLoadUrl;
    std::wstring m_strRefer;
    std::wstring m_strUID;
    int m_nTopMost = 0;
    std::wstring m_strUserName;
    std::wstring m_strGameServer;

private:
    int m_nRunCount = 0;
    std::unique_ptr<CFormGame> m_retiredGame;
};

// Defined by the program's entry, so that it is constructed during static initialisation.
extern CGlobalModule g_module;

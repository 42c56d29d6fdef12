// The application object: the one static object that owns the windows, the download pool, the
// statistics reporter and the launch parameters, built before the entry function runs.
#pragma once

#include <memory>
#include <string>

#include "platform/window.h"
#include "stats/StatisticsReporter.h"
#include "ui/FormBack.h"
#include "ui/KXForm.h"
#include "ui/MessageLoop.h"
#include "update/DownloadDone.h"

class CDownloadPool;

class CGlobalModule : public CMessageFilter {
public:
    CGlobalModule();
    ~CGlobalModule() override;
    CGlobalModule(const CGlobalModule&) = delete;
    CGlobalModule& operator=(const CGlobalModule&) = delete;

    // The loop's only filter: the visible login window may take keyboard and mouse messages for
    // its page first.
    BOOL PreTranslateMessage(MSG* msg) override;

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
    CKXForm m_formLogin;
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
};

// Defined by the program's entry, so that it is constructed during static initialisation.
extern CGlobalModule g_module;

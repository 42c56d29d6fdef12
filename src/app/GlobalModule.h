// The application object: the one static object that owns the windows, the download pool, the
// statistics reporter and the launch parameters, built before the entry function runs.
#pragma once

#include <string>

class CGlobalModule {
public:
    CGlobalModule();
    virtual ~CGlobalModule();
    CGlobalModule(const CGlobalModule&) = delete;
    CGlobalModule& operator=(const CGlobalModule&) = delete;

    // Launch parameters and run counter.
    void LoadLaunchParameters();
    int CountRun();
    bool IsActivated() const;
    void SetActivated();
    std::wstring GetLoginUrl() const { return m_strLoginUrl; }
    std::wstring GetPayUrl() const;
    std::wstring GetUID() const { return m_strUID; }
    std::wstring GetRefer() const { return m_strRefer; }

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

// The install, activation and uninstall reports to the platform's statistics service: one GET
// request each, whose answer lands in a scratch file that nobody reads.
#pragma once

#include <cstdint>
#include <string>

#include "app/PlatformAddresses.h"

class StatisticsReporter {
public:
    // serviceAddress: the service's address without query; a test points it at its own server.
    explicit StatisticsReporter(std::wstring serviceAddress = addresses::StatisticsService());

    // The values every report carries; read once per reporter, later calls return at once.
    void LoadCommonFields();
    void SendInstallReport();
    // At most once per reporter, even when the settings cannot record the activation.
    void SendActiveReport();
    void SendUninstallReport();

private:
    // The address up to browser_type, for one event code.
    std::wstring ReportAddress(int eventCode) const;

    bool m_bLoaded = false;
    std::wstring m_strGuid;
    bool m_bCafe = false;
    bool m_bAutoRun = false;
    std::wstring m_strMachineId;
    std::wstring m_strInstallTime;
    std::int32_t m_nInstallType = 0;
    bool m_bActiveSent = false;
    std::wstring m_strServiceAddress;
};

#include "app/Folders.h"
#include "app/GlobalModule.h"
#include "net/DownloadPool.h"

void CGlobalModule::PostReportRequest(const std::wstring& url, ClientTaskId taskId,
                                      const std::wstring& fileName) {
    if (!m_pTaskPool) {
        return;
    }
    m_pTaskPool->Start();
    DownloadTask task;
    task.strURL = url;
    task.strFilePath = GetTempFolder() + fileName;
    task.nRetryCount = 0;
    task.pfnCallback = &OnDownloadDone;
    task.pUserData = this;
    task.nTaskId = taskId;
    task.bAppendUrlFileName = fileName.empty() ? 1 : 0;
    task.bAppendGuidFileName = 0;
    task.bDeleteOnFailure = 1;
    m_pTaskPool->PostTask(task);
}

// The UI thread's message loop: every queued message is offered to the filters first, and only
// those no filter consumed are translated and dispatched.
#pragma once

#include <vector>

#include "platform/window.h"

class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
};

class CMessageLoop {
public:
    void AddMessageFilter(CMessageFilter* filter) { m_filters.push_back(filter); }
    // Until WM_QUIT; returns its exit code.
    int Run();

private:
    std::vector<CMessageFilter*> m_filters;
};

// What a browser view tells the window that owns it: a code and two word-sized values, delivered
// at once to every registered handler, in the order of registration, on the thread that fired.
// A handler may change the view's public state (its cancel flag) and the view reads it back when
// Fire returns.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/win_types.h"

enum WebNotifyCode : UINT {
    WEBNOTIFY_DOCUMENTCOMPLETE = 0,  // lParam: the view
    WEBNOTIFY_NAVIGATEERROR = 1,     // lParam: the view; GetURL gives the failing address
    WEBNOTIFY_GETEXTERNAL = 2,       // wParam: the address of an out-slot (void*); lParam: the view
    WEBNOTIFY_BEFORENAVIGATE = 7,    // lParam: the view; m_bCancelNavigation cancels
    WEBNOTIFY_NAVIGATECOMPLETE = 8,  // lParam: the view
    WEBNOTIFY_TITLECHANGE = 9,       // lParam: the title, valid during the call only
};

class ICWebNotifyEventHandler {
public:
    virtual void Notify(UINT code, WPARAM wParam, LPARAM lParam) = 0;
    virtual ~ICWebNotifyEventHandler() = default;
};

// A receiving object and one of its member functions; the receiver outlives the handler.
template <typename T, typename M, typename I>
class CEventHandler : public I {
public:
    CEventHandler(T* target, M method) : m_pTarget(target), m_method(method) {}
    void Notify(UINT, WPARAM, LPARAM) override {}

protected:
    T* m_pTarget;
    M m_method;
};

template <typename T, typename M = void (T::*)(UINT, WPARAM, LPARAM)>
class CCWebNotifyEventHandler : public CEventHandler<T, M, ICWebNotifyEventHandler> {
public:
    using CEventHandler<T, M, ICWebNotifyEventHandler>::CEventHandler;
    void Notify(UINT code, WPARAM wParam, LPARAM lParam) override {
        std::invoke(this->m_method, this->m_pTarget, code, wParam, lParam);
    }
};

// The source owns its handlers; there is no way to remove one before the source goes.
template <template <typename, typename> class Handler, typename I>
class CFEvent {
public:
    CFEvent() = default;
    CFEvent(const CFEvent&) = delete;
    CFEvent& operator=(const CFEvent&) = delete;
    virtual ~CFEvent() = default;

    // The same target and method may be added twice; each entry is then called.
    template <typename T>
    I* AddHandler(T* target, void (T::*method)(UINT, WPARAM, LPARAM)) {
        m_handlers.push_back(std::make_unique<Handler<T, decltype(method)>>(target, method));
        return m_handlers.back().get();
    }

    // By position, so that a handler registering another one during the call is safe; the new
    // one is called in the same round.
    void Fire(UINT code, WPARAM wParam, LPARAM lParam) {
        for (std::size_t i = 0; i < m_handlers.size(); ++i) {
            m_handlers[i]->Notify(code, wParam, lParam);
        }
    }

private:
    std::vector<std::unique_ptr<I>> m_handlers;
};

class CWebNotify : public CFEvent<CCWebNotifyEventHandler, ICWebNotifyEventHandler> {};

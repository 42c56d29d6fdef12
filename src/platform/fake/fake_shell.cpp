#include "platform/fake/fake_shell.h"

#include "platform/shell.h"

namespace plat {

namespace {

std::vector<std::wstring>& Opened() {
    static std::vector<std::wstring>& opened = *new std::vector<std::wstring>;  // never destroyed: used until the process ends
    return opened;
}

int g_desktopToggles = 0;

}  // namespace

bool OpenWithDefaultHandler(const std::wstring& address) {
    Opened().push_back(address);
    return true;
}

void ToggleShowingDesktop() { ++g_desktopToggles; }

int fake::DesktopToggles() { return g_desktopToggles; }

void OnTerminationRequest(void (*)()) {}

std::vector<std::wstring> fake::OpenedAddresses() { return Opened(); }

void fake::ClearOpenedAddresses() { Opened().clear(); }

}  // namespace plat

// Pop-up menus answer at once with the commands a test scripted; the notification area keeps
// the icons it accepted.
#include <algorithm>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace plat::fake {

void PushMenuChoice(UINT id) { TheState().menuChoices.push_back(id); }

void SetTrayAvailable(bool available) { TheState().trayAvailable = available; }

std::vector<NOTIFYICONDATAW> TrayIcons() { return TheState().trayIcons; }

}  // namespace plat::fake

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Call& call = LogCall("TrackPopupMenu", owner);
    call.x = x;
    call.y = y;
    call.flags = flags;
    call.menu = plat::MenuItems(menu);
    std::deque<UINT>& choices = TheState().menuChoices;
    if (menu == nullptr || choices.empty()) {
        return 0;
    }
    const UINT choice = choices.front();
    choices.pop_front();
    return static_cast<BOOL>(choice);
}

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data) {
    Call& call = LogCall("Shell_NotifyIconW", data != nullptr ? data->hWnd : nullptr);
    if (data == nullptr) {
        return 0;
    }
    call.command = static_cast<int>(message);
    call.flags = data->uFlags;
    call.wParam = data->uID;
    call.text = data->szTip;
    call.callbackMessage = data->uCallbackMessage;
    call.icon = data->hIcon;
    State& state = TheState();
    auto same = [data](const NOTIFYICONDATAW& icon) {
        return icon.hWnd == data->hWnd && icon.uID == data->uID;
    };
    auto found = std::find_if(state.trayIcons.begin(), state.trayIcons.end(), same);
    if (message == NIM_ADD) {
        if (!state.trayAvailable || found != state.trayIcons.end()) {
            return 0;
        }
        state.trayIcons.push_back(*data);
        return 1;
    }
    if (message == NIM_DELETE && found != state.trayIcons.end()) {
        state.trayIcons.erase(found);
        return 1;
    }
    return 0;
}

// Message boxes answer at once, with the answers a test scripted.
#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace plat::fake {

void PushMessageBoxAnswer(int answer) {
    TheState().answers.push_back(answer);
}

}  // namespace plat::fake

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    Call& call = LogCall("MessageBoxW", owner);
    call.text = text ? text : L"";
    call.caption = caption ? caption : L"";
    call.flags = type;
    std::deque<int>& answers = TheState().answers;
    if (answers.empty()) {
        return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

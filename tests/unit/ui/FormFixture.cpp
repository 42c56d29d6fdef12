#include "ui/FormFixture.h"

std::vector<CKXForm*> FormFixture::s_forms;

void FormFixture::SetUp() {
    plat::fake::Reset();
    s_forms.clear();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

void FormFixture::TearDown() {
    for (CKXForm* form : s_forms) {
        form->Close();
    }
    s_forms.clear();
}

void FormFixture::Open(CKXForm& form, int width, int height) {
    form.SetRect(RECT{0, 0, width, height});
    ASSERT_TRUE(form.Create(kClassName, L"test", nullptr));
    Route(form);
}

void FormFixture::Route(CKXForm& form) { s_forms.push_back(&form); }

LRESULT FormFixture::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (CKXForm* form : s_forms) {
        if (form->GetHwnd() == hwnd) {
            const LRESULT result = form->WindowProc(hwnd, message, wParam, lParam);
            return result == 1 ? DefWindowProcW(hwnd, message, wParam, lParam) : result;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

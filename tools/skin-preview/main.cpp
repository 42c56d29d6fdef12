// Opens the login screen's skin (the layered background and a colour-keyed form with the login
// window's buttons) without a page, and optionally saves a screenshot of the screen. For looking
// at the artwork and the layered windows on a real display.
//
//   skin-preview [--screenshot FILE]
#include <gtk/gtk.h>

#include <cstring>
#include <string>

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "platform/resources.h"
#include "ui/Bitmaps.h"
#include "ui/KXButton.h"
#include "ui/KXImage.h"
#include "ui/MessageLoop.h"
#include "ui/Placement.h"

CGlobalModule g_module;

namespace {

// The login window's skin: its key-coloured background and its buttons, at their places.
class SkinForm : public CKXForm {
public:
    void Build() {
        Create(g_module.m_szWindowClass, g_module.m_szTitle, g_module.m_hInstance);
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE));
        SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>((exStyle & 0xFFFFFE7E) | WS_EX_LAYERED));
        SetLayeredWindowAttributes(m_hWnd, kColorKey, 0, LWA_COLORKEY);
        m_back.LoadFromResource(nullptr, 136);
        m_back.SetRect(RECT{0, 0, 1024, 700});
        AddControl(&m_back);
        struct Place {
            CKXButton* button;
            int normal, hover;
            RECT rc;
        } const places[] = {
            {&m_buttons[0], 135, 169, {945, 171, 971, 197}}, {&m_buttons[1], 134, 168, {972, 163, 999, 191}},
            {&m_buttons[2], 179, 180, {364, 196, 498, 244}}, {&m_buttons[3], 172, 176, {605, 196, 711, 244}},
            {&m_buttons[4], 173, 177, {498, 196, 605, 244}}, {&m_buttons[5], 174, 178, {711, 196, 823, 244}},
            {&m_buttons[6], 171, 175, {823, 196, 946, 244}},
        };
        for (const Place& place : places) {
            place.button->LoadBitmaps(nullptr, place.normal, place.hover, place.hover);
            place.button->SetRect(place.rc);
            place.button->m_hCursor = LoadCursorW(nullptr, IDC_HAND);
            AddControl(place.button);
        }
    }
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (CKXForm::WindowProc(hWnd, message, wParam, lParam) == 0) {
            return 0;
        }
        if (message == WM_DESTROY || message == WM_CONFIRM_EXIT) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }

private:
    CKXImage m_back;
    CKXButton m_buttons[7];
};

SkinForm g_skin;

LRESULT CALLBACK_Route(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hWnd == g_skin.GetHwnd()) {
        return g_skin.WindowProc(hWnd, message, wParam, lParam);
    }
    if (hWnd == g_module.m_formBack.GetHwnd()) {
        return g_module.m_formBack.WindowProc(hWnd, message, wParam, lParam);
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

gboolean SaveScreenshot(gpointer file) {
    GdkWindow* root = gdk_get_default_root_window();
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root),
                                                 gdk_window_get_height(root));
    if (shot != nullptr) {
        gdk_pixbuf_save(shot, static_cast<const char*>(file), "png", nullptr, nullptr);
        g_object_unref(shot);
    }
    PostQuitMessage(0);
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv) {
    if (!plat::InitializeUserInterface()) {
        return 1;
    }
    LoadStringW(nullptr, 103, g_module.m_szTitle, 100);
    LoadStringW(nullptr, 109, g_module.m_szWindowClass, 100);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = CALLBACK_Route;
    windowClass.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(151));
    windowClass.lpszClassName = g_module.m_szWindowClass;
    RegisterClassExW(&windowClass);

    g_skin.SetRect(RECT{0, 0, 1024, 700});
    g_skin.Build();
    g_module.m_formBack.SetRect(RECT{0, 0, 1024, 700});
    g_module.m_formBack.OnCreate();
    ShowFormCentered(g_module.m_formBack, false);
    ShowFormCentered(g_skin, false);
    SetWindowPos(g_skin.GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        g_timeout_add(1500, SaveScreenshot, argv[2]);
    }
    CMessageLoop loop;
    return loop.Run();
}

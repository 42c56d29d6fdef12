#include "app/DesktopModes.h"

#include "app/Folders.h"
#include "platform/processes.h"
#include "platform/shell.h"

void ToggleDesktopViaShell() { plat::ToggleShowingDesktop(); }

void StartIconAnimation() {
    const std::wstring path = GetDataFolder() + L"iconAnimate.exe";
    if (plat::PathExists(path)) {
        plat::StartProgram(path, {});
    }
}

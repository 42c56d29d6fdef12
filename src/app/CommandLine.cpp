#include "app/CommandLine.h"

#include "platform/shell.h"

bool HasSwitch(const std::wstring& switchText) {
    return plat::CommandLineText().find(switchText) != std::wstring::npos;
}

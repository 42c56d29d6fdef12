#include "stats/CafeDetection.h"

#include <vector>

#include "platform/processes.h"
#include "platform/registry.h"

namespace {

enum class Trace { kKey, kProcess };

struct CafeProduct {
    Trace trace;
    const wchar_t* name;
    int result;
};

// Tested in this order; the first hit decides. The keys that begin with a separator are passed
// as the client always passed them, which no settings tree opens.
const CafeProduct kProducts[] = {
    {Trace::kKey, L"SOFTWARE\\Hintsoft\\PubwinClient", 0},
    {Trace::kKey, L"SOFTWARE\\Hintsoft\\pubwin", 0},
    {Trace::kKey, L"SOFTWARE\\Sicent\\wx2004Clt", 1},
    {Trace::kKey, L"SOFTWARE\\MpSoft\\smenu", 2},
    {Trace::kKey, L"SOFTWARE\\Microsoft\\jingzu", 4},
    {Trace::kKey, L"SOFTWARE\\iCafe8", 6},
    {Trace::kKey, L"SOFTWARE\\Goyoo\\i8desk", 7},
    {Trace::kKey, L"SOFTWARE\\Hintsoft1\\XunShanPro", 8},
    {Trace::kKey, L"SOFTWARE\\SyncExpertNetBar", 9},
    {Trace::kKey, L"SOFTWARE\\EYOOCLIENTSTATUS", 11},
    {Trace::kKey, L"SOFTWARE\\Richtech", 12},
    {Trace::kKey, L"SOFTWARE\\杭州顺网信息技术有限公司\\网维大师蝌蚪娱乐平台", 14},
    {Trace::kKey, L"SOFTWARE\\Sicent\\WxAdv", 15},
    {Trace::kKey, L"SOFTWARE\\Grabsun\\Netsense", 16},
    {Trace::kProcess, L"娱乐中心.exe", 17},
    {Trace::kProcess, L"网吧游戏外挂总管管理器.exe", 19},
    {Trace::kProcess, L"QQmenu.exe", 20},
    {Trace::kProcess, L"Txwu.exe", 20},
    {Trace::kProcess, L"网吧游戏管理专家2006.exe", 21},
    {Trace::kProcess, L"connetbar.exe", 22},
    {Trace::kKey, L"SOFTWARE\\MpSoft\\scon", 24},
    {Trace::kProcess, L"wbc.exe", 26},
    {Trace::kProcess, L"sunflowerTools.exe", 27},
    {Trace::kKey, L"SOFTWARE\\MpSoft\\VOD", 30},
    {Trace::kProcess, L"LBSserver.exe", 31},
    {Trace::kKey, L"\\QvodNetBar\\install", 32},
    {Trace::kProcess, L"TLnbLdr.exe", 33},
    {Trace::kProcess, L"DeepinStatus.exe", 35},
    {Trace::kKey, L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\网升游戏更新客户端",
     36},
    {Trace::kKey, L"\\SOFTWARE\\icafe8.com", 37},
};

}  // namespace

bool CafeKeyExists(const std::wstring& subKey) {
    return plat::MachineKeyExists(subKey);
}

bool CafeProcessRunning(const std::wstring& exeName) {
    for (const std::wstring& name : plat::RunningProgramNames()) {
        if (name == exeName) {
            return true;
        }
    }
    return false;
}

int DetectCafeTool() {
    for (const CafeProduct& product : kProducts) {
        const bool found = product.trace == Trace::kKey ? CafeKeyExists(product.name)
                                                        : CafeProcessRunning(product.name);
        if (found) {
            return product.result;
        }
    }
    return -1;
}

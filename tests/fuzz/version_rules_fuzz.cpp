// Any version file: the rules answer without crashing, and never offer the running version or
// an older one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ClientVersion.h"
#include "platform/text.h"
#include "update/VersionRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = plat::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    const std::size_t third = text.size() / 3;
    const std::wstring current = text.substr(0, third);
    const std::wstring range = text.substr(third, third);
    const std::wstring last = text.substr(2 * third);
    if (ShouldOfferUpgrade(current, range, last) &&
        (VersionToInt(current) <= CLIENT_VERSION || VersionToInt(last) >= VersionToInt(current))) {
        std::abort();
    }
    (void)IsVersionInRange(text);
    return 0;
}

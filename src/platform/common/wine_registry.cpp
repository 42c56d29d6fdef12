#include "platform/common/wine_registry.h"

#include <limits>
#include <string>

#include "platform/text.h"

namespace plat::wine {

namespace {

// Far beyond the longest key path Windows allows; a longer line cannot be one of our keys.
constexpr std::size_t kLineHead = 64 * 1024;

wchar_t FoldCase(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
}

std::vector<std::wstring> Components(std::wstring_view path) {
    std::vector<std::wstring> parts(1);
    for (wchar_t c : path) {
        if (c == L'\\') {
            parts.emplace_back();
        } else {
            parts.back() += FoldCase(c);
        }
    }
    return parts;
}

bool HasEmptyComponent(const std::vector<std::wstring>& parts) {
    for (const std::wstring& part : parts) {
        if (part.empty()) {
            return true;
        }
    }
    return false;
}

int DigitValue(char c, int base) {
    int value = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : base;
    return value < base ? value : -1;
}

// The key path of a "[...]" line with Wine's escapes undone (\\, \", \], C escapes, \x with up
// to four hexadecimal digits, up to three octal digits); false when the line names no key.
bool KeyPathOfLine(std::string_view line, std::wstring& path) {
    if (line.empty() || line.front() != '[') {
        return false;
    }
    path.clear();
    std::string plain;
    auto flush = [&] {
        path += FromUtf8(plain);
        plain.clear();
    };
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ']') {
            flush();
            return true;
        }
        if (c != '\\' || i + 1 == line.size()) {
            plain += c;
            continue;
        }
        const char e = line[++i];
        static const std::string_view kLetters = "abefnrtv";
        static const char kControls[] = {7, 8, 27, 12, 10, 13, 9, 11};
        if (kLetters.find(e) != std::string_view::npos) {
            plain += kControls[kLetters.find(e)];
            continue;
        }
        const bool hex = e == 'x' && i + 1 < line.size() && DigitValue(line[i + 1], 16) >= 0;
        const bool octal = DigitValue(e, 8) >= 0;
        if (!hex && !octal) {
            plain += e;  // \\, \", \] and anything unknown stand for the character itself
            continue;
        }
        const int base = hex ? 16 : 8;
        std::size_t at = hex ? i + 1 : i;
        const std::size_t end = std::min(line.size(), at + (hex ? 4 : 3));
        unsigned value = 0;
        for (; at < end && DigitValue(line[at], base) >= 0; ++at) {
            value = value * static_cast<unsigned>(base) +
                    static_cast<unsigned>(DigitValue(line[at], base));
        }
        i = at - 1;
        flush();
        path += static_cast<wchar_t>(value);
    }
    return false;  // no closing bracket: damaged or cut, not a key we can trust
}

bool Within(const std::vector<std::wstring>& wanted, const std::vector<std::wstring>& saved) {
    if (saved.size() < wanted.size()) {
        return false;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] != saved[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool HiveHasAnyKey(std::istream& hive, const std::vector<std::wstring_view>& paths) {
    std::vector<std::vector<std::wstring>> wanted;
    for (std::wstring_view path : paths) {
        std::vector<std::wstring> parts = Components(path);
        if (!HasEmptyComponent(parts)) {
            wanted.push_back(std::move(parts));
        }
    }
    std::string line(kLineHead, '\0');
    std::wstring path;
    while (!wanted.empty() && hive) {
        hive.getline(line.data(), static_cast<std::streamsize>(line.size()));
        std::size_t length = static_cast<std::size_t>(hive.gcount());
        if (hive.fail() && !hive.eof() && !hive.bad()) {
            // Longer than the head we keep: look at the head, skip the rest of the line.
            hive.clear();
            hive.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        } else if (!hive.eof() && length > 0) {
            --length;  // the line break that getline counted
        }
        if (!KeyPathOfLine(std::string_view(line.data(), length), path)) {
            continue;
        }
        const std::vector<std::wstring> saved = Components(path);
        for (const std::vector<std::wstring>& candidate : wanted) {
            if (Within(candidate, saved)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace plat::wine

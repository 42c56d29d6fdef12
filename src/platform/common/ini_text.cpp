#include "platform/common/ini_text.h"

#include <cwctype>
#include <vector>

#include "platform/text.h"

namespace plat::ini {

namespace {

enum class Kind { kOther, kSection, kKey };

struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // one past its last byte, line break excluded
    std::size_t next = 0;   // first byte of the following line
    Kind kind = Kind::kOther;
    bool blank = true;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<Line> SplitLines(std::string_view content) {
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        Line line;
        line.begin = pos;
        std::size_t newline = content.find('\n', pos);
        line.next = newline == std::string_view::npos ? content.size() : newline + 1;
        line.end = newline == std::string_view::npos ? content.size() : newline;
        if (line.end > line.begin && content[line.end - 1] == '\r') {
            --line.end;
        }
        std::string_view text = content.substr(line.begin, line.end - line.begin);
        if (line.begin == 0 && text.substr(0, kBom.size()) == kBom) {
            text.remove_prefix(kBom.size());
        }
        text = Trim(text);
        line.blank = text.empty();
        if (!text.empty() && text.front() == '[') {
            std::size_t close = text.rfind(']');
            line.kind = Kind::kSection;
            line.name = Trim(text.substr(1, close == 0 || close == std::string_view::npos
                                                ? std::string_view::npos
                                                : close - 1));
        } else if (!text.empty() && text.front() != ';') {
            std::size_t equals = text.find('=');
            if (equals != std::string_view::npos) {
                line.kind = Kind::kKey;
                line.name = Trim(text.substr(0, equals));
                line.value = Trim(text.substr(equals + 1));
            }
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

std::wstring Fold(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    }
    return folded;
}

bool SameName(std::string_view raw, const std::wstring& folded) {
    return Fold(FromUtf8(raw)) == folded;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}

// The key's line among the sections of that name, or the section to add it to.
struct Place {
    const Line* keyLine = nullptr;
    const Line* lastOfSection = nullptr;
};

Place Locate(const std::vector<Line>& lines, std::wstring_view section, std::wstring_view key) {
    const std::wstring wantedSection = Fold(section);
    const std::wstring wantedKey = Fold(key);
    Place place;
    bool inSection = false;
    bool inFirstSection = false;
    for (const Line& line : lines) {
        if (line.kind == Kind::kSection) {
            bool matches = SameName(line.name, wantedSection);
            inFirstSection = matches && place.lastOfSection == nullptr;
            inSection = matches;
            if (inFirstSection) {
                place.lastOfSection = &line;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (line.kind == Kind::kKey && SameName(line.name, wantedKey)) {
            place.keyLine = &line;
            return place;
        }
        if (inFirstSection && !line.blank) {
            place.lastOfSection = &line;
        }
    }
    return place;
}

}  // namespace

std::optional<std::string> FindValue(std::string_view content, std::wstring_view section,
                                     std::wstring_view key) {
    std::vector<Line> lines = SplitLines(content);
    Place place = Locate(lines, section, key);
    if (place.keyLine == nullptr) {
        return std::nullopt;
    }
    return std::string(Unquote(place.keyLine->value));
}

std::string SetValue(std::string_view content, std::wstring_view section, std::wstring_view key,
                     std::string_view value) {
    std::vector<Line> lines = SplitLines(content);
    Place place = Locate(lines, section, key);
    // New lines follow the file's own line ends, judged by its first line.
    const std::size_t firstBreak = content.find('\n');
    const std::string eol =
        firstBreak != std::string_view::npos && firstBreak > 0 && content[firstBreak - 1] == '\r'
            ? "\r\n"
            : "\n";
    std::string out;
    out.reserve(content.size() + key.size() + value.size() + 16);
    if (place.keyLine != nullptr) {
        const Line& line = *place.keyLine;
        out.append(content.substr(0, line.begin));
        out.append(line.name).append("=").append(OneLine(value));
        out.append(content.substr(line.end));
        return out;
    }
    const std::string keyLine = OneLine(ToUtf8(key)) + "=" + OneLine(value) + eol;
    if (place.lastOfSection != nullptr) {
        const Line& line = *place.lastOfSection;
        out.append(content.substr(0, line.next));
        if (line.next == line.end) {
            out.append(eol);  // the section's last line was the file's last, without a break
        }
        out.append(keyLine);
        out.append(content.substr(line.next));
        return out;
    }
    out.append(content);
    if (!content.empty() && content.back() != '\n') {
        out.append(eol);
    }
    out.append("[").append(OneLine(ToUtf8(section))).append("]").append(eol).append(keyLine);
    return out;
}

}  // namespace plat::ini

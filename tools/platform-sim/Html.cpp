#include "Html.h"

namespace html {

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Fill(std::string templ,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        const std::string key = "{{" + name + "}}";
        for (std::size_t at = templ.find(key); at != std::string::npos;
             at = templ.find(key, at + value.size())) {
            templ.replace(at, key.size(), value);
        }
    }
    return templ;
}

const char* const kBaseStyle = R"CSS(
:root { --gold: #d9b26a; --gold-hi: #f7e1a4; --gold-lo: #8a6428; --ink: #ece3cf;
        --muted: #9d917b; --panel: rgba(22, 15, 30, .88); --line: rgba(217, 178, 106, .42); }
* { box-sizing: border-box; }
html, body { margin: 0; height: 100%; }
body { color: var(--ink); background: #08060b;
       background-image: radial-gradient(ellipse at 50% -20%, #4a2448 0%, #1a1024 42%, #08060b 100%);
       font: 14px/1.55 "Microsoft YaHei", "微软雅黑", "WenQuanYi Micro Hei", sans-serif; }
a { color: var(--gold-hi); text-decoration: none; }
a:hover { text-decoration: underline; }
.logo { font-family: Georgia, "Times New Roman", serif; font-weight: bold; letter-spacing: .22em;
        background: linear-gradient(#fff6d6, #e2bb6e 52%, #8a6428); -webkit-background-clip: text;
        background-clip: text; color: transparent; text-shadow: 0 0 18px rgba(217, 178, 106, .25); }
.card { background: var(--panel); border: 1px solid var(--line); border-radius: 6px;
        box-shadow: 0 0 22px rgba(0, 0, 0, .65), inset 0 0 28px rgba(217, 178, 106, .06); }
.btn { display: inline-block; border: 1px solid #f2d591; border-radius: 4px; cursor: pointer;
       color: #2a1707; font: bold 15px "Microsoft YaHei", "WenQuanYi Micro Hei", sans-serif;
       letter-spacing: .2em; padding: 8px 22px;
       background: linear-gradient(#fbe7ae, #d6a650 48%, #a8742c 52%, #c9954a);
       box-shadow: 0 0 12px rgba(230, 180, 90, .35), inset 0 1px 0 rgba(255, 255, 255, .5); }
.btn:hover { filter: brightness(1.12); text-decoration: none; }
.muted { color: var(--muted); }
)CSS";

std::string Document(const std::string& title, const std::string& extraStyle,
                     const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" +
           Escape(title) + "</title><style>" + kBaseStyle + extraStyle + "</style></head><body>" +
           body + "</body></html>\n";
}

std::string PortalPage(const std::string& title, const std::string& heading,
                       const std::string& body) {
    static const char* const kPortalStyle = R"CSS(
.frame { max-width: 980px; margin: 0 auto; padding: 26px 32px 40px; }
.top { display: flex; align-items: baseline; gap: 18px; padding-bottom: 14px;
       border-bottom: 1px solid var(--line); margin-bottom: 22px; }
.top .logo { font-size: 30px; }
.top h1 { margin: 0; font-size: 18px; font-weight: normal; color: var(--gold); letter-spacing: .1em; }
.card { padding: 18px 22px; margin-bottom: 18px; }
.card h2 { margin: 0 0 10px; font-size: 16px; color: var(--gold-hi); letter-spacing: .08em; }
.grid { display: grid; grid-template-columns: repeat(auto-fit, minmax(200px, 1fr)); gap: 14px; }
table { width: 100%; border-collapse: collapse; }
td, th { text-align: left; padding: 8px 10px; border-bottom: 1px solid rgba(217, 178, 106, .16); }
th { color: var(--gold); font-weight: normal; width: 9em; }
.foot { margin-top: 26px; font-size: 12px; color: var(--muted); text-align: center; }
)CSS";
    return Document(title, kPortalStyle,
                    "<div class=\"frame\"><div class=\"top\"><span class=\"logo\">VELKORA</span>"
                    "<h1>" +
                        Escape(heading) + "</h1></div>" + body +
                        "<p class=\"foot\">Velkora 演示平台 · 本页由本地服务提供</p></div>");
}

void Send(httplib::Response& res, const std::string& document) {
    res.set_content(document, "text/html; charset=utf-8");
}

}  // namespace html

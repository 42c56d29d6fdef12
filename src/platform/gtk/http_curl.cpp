// The pull-style steps on libcurl's multi interface: the transfer advances only while a step waits,
// and the write callback pauses it whenever the reader has not yet taken what arrived, so the
// memory held per transfer stays bounded whatever the size of the body.
#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/http.h"
#include "platform/text.h"

namespace plat {

namespace {

constexpr long kConnectTimeoutSeconds = 30;
// A transfer that receives nothing for this long has stalled.
constexpr long kStallSeconds = 30;
constexpr long kMaxRedirections = 10;
// How often a waiting step looks at the cancel flag.
constexpr int kPollMilliseconds = 50;
// The reader's backlog above which the transfer pauses.
constexpr std::size_t kBacklogLimit = 256 * 1024;
constexpr long kReceiveBuffer = 256 * 1024;

bool StartsWithNoCase(const char* text, std::size_t length, const char* prefix) {
    std::size_t n = std::strlen(prefix);
    return length >= n && ::strncasecmp(text, prefix, n) == 0;
}

std::string HeaderName(const std::string& line) {
    return line.substr(0, line.find(':'));
}

}  // namespace

struct HttpClient::Impl {
    explicit Impl(const std::atomic<bool>& cancelFlag) : cancel(cancelFlag) {}
    ~Impl() {
        if (added) {
            curl_multi_remove_handle(multi, easy);
        }
        curl_easy_cleanup(easy);
        curl_slist_free_all(headerList);
        curl_multi_cleanup(multi);
    }

    const std::atomic<bool>& cancel;
    std::string agent;
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    HttpAddress address;
    std::string verb;
    std::vector<std::string> headerLines;
    curl_slist* headerList = nullptr;

    bool added = false;
    bool headersDone = false;
    bool locationSeen = false;
    bool done = false;
    CURLcode result = CURLE_OK;
    bool paused = false;
    std::vector<char> backlog;
    std::size_t taken = 0;  // bytes of the backlog already handed to the reader

    std::size_t Available() const { return backlog.size() - taken; }

    void Perform() {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            done = true;
            result = CURLE_FAILED_INIT;
            return;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                done = true;
                result = message->data.result;
            }
        }
    }

    void Poll() { curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr); }

    static size_t OnHeader(char* data, size_t, size_t length, void* context) {
        auto* self = static_cast<Impl*>(context);
        if (self->cancel.load()) {
            return 0;
        }
        if (StartsWithNoCase(data, length, "HTTP/")) {
            self->locationSeen = false;
        } else if (StartsWithNoCase(data, length, "location:")) {
            self->locationSeen = true;
        } else if (length <= 2 && (length == 0 || data[0] == '\r' || data[0] == '\n')) {
            // The end of one response's headers: final unless it is informational or a
            // redirection that libcurl is about to follow.
            long code = 0;
            curl_easy_getinfo(self->easy, CURLINFO_RESPONSE_CODE, &code);
            bool followed = code >= 300 && code < 400 && self->locationSeen;
            if (code >= 200 && !followed) {
                self->headersDone = true;
            }
        }
        return length;
    }

    static size_t OnBody(char* data, size_t, size_t length, void* context) {
        auto* self = static_cast<Impl*>(context);
        if (self->cancel.load()) {
            return 0;
        }
        if (self->Available() >= kBacklogLimit) {
            self->paused = true;
            return CURL_WRITEFUNC_PAUSE;
        }
        if (self->taken == self->backlog.size()) {
            self->backlog.clear();
            self->taken = 0;
        }
        self->backlog.insert(self->backlog.end(), data, data + length);
        return length;
    }

    static int OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Impl*>(context)->cancel.load() ? 1 : 0;
    }

    bool Configure() {
        std::string url = std::string(address.secure ? "https" : "http") + "://" +
                          ToUtf8(address.host) + ":" + std::to_string(address.port) +
                          ToUtf8(address.pathAndQuery);
        bool ok = curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str()) == CURLE_OK;
        if (!address.user.empty()) {
            ok = ok &&
                 curl_easy_setopt(easy, CURLOPT_USERNAME, ToUtf8(address.user).c_str()) == CURLE_OK;
            ok = ok && curl_easy_setopt(easy, CURLOPT_PASSWORD, ToUtf8(address.password).c_str()) ==
                           CURLE_OK;
        }
        ok = ok && curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirections) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
        ok = ok &&
             curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds) == CURLE_OK;
        // Fewer, larger socket reads; the backlog limit still bounds what is held.
        ok = ok && curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBuffer) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::OnHeader) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_HEADERDATA, this) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::OnBody) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_WRITEDATA, this) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Impl::OnProgress) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this) == CURLE_OK;
        ok = ok && curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
        return ok;
    }
};

HttpClient::HttpClient(const std::wstring& agent, const std::atomic<bool>& cancel)
    : m_impl(std::make_unique<Impl>(cancel)) {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised == CURLE_OK) {
        m_impl->agent = ToUtf8(agent);
        m_impl->multi = curl_multi_init();
    }
}

HttpClient::~HttpClient() = default;

bool HttpClient::IsOpen() const {
    return m_impl->multi != nullptr;
}

bool HttpClient::Connect(const HttpAddress& address) {
    if (!IsOpen() || m_impl->easy != nullptr) {
        return false;
    }
    m_impl->address = address;
    m_impl->easy = curl_easy_init();
    return m_impl->easy != nullptr;
}

bool HttpClient::OpenRequest(const std::wstring& verb) {
    if (m_impl->easy == nullptr || !m_impl->verb.empty() || (verb != L"GET" && verb != L"POST")) {
        return false;
    }
    m_impl->verb = ToUtf8(verb);
    return m_impl->Configure();
}

bool HttpClient::AddRequestHeader(const std::wstring& header) {
    std::string line = ToUtf8(header);
    if (m_impl->verb.empty() || line.find(':') == std::string::npos) {
        return false;
    }
    auto& lines = m_impl->headerLines;
    const std::string name = HeaderName(line);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const std::string& kept) {
                                   return ::strcasecmp(HeaderName(kept).c_str(), name.c_str()) == 0;
                               }),
                lines.end());
    lines.push_back(line);
    return true;
}

bool HttpClient::SendRequest(const void* body, std::uint32_t length) {
    Impl& impl = *m_impl;
    if (impl.verb.empty() || impl.added) {
        return false;
    }
    // libcurl would otherwise hold a larger body back for a "100 Continue" that few servers send.
    std::vector<std::string> lines = impl.headerLines;
    lines.push_back("Expect:");
    for (const std::string& line : lines) {
        curl_slist* grown = curl_slist_append(impl.headerList, line.c_str());
        if (grown == nullptr) {
            return false;
        }
        impl.headerList = grown;
    }
    bool ok = curl_easy_setopt(impl.easy, CURLOPT_HTTPHEADER, impl.headerList) == CURLE_OK;
    if (impl.verb == "POST") {
        ok = ok && curl_easy_setopt(impl.easy, CURLOPT_POSTFIELDSIZE_LARGE,
                                    static_cast<curl_off_t>(body ? length : 0)) == CURLE_OK;
        ok = ok && curl_easy_setopt(impl.easy, CURLOPT_COPYPOSTFIELDS,
                                    body ? static_cast<const char*>(body) : "") == CURLE_OK;
    }
    if (!ok || curl_multi_add_handle(impl.multi, impl.easy) != CURLM_OK) {
        return false;
    }
    impl.added = true;
    while (!impl.headersDone && !impl.done) {
        if (impl.cancel.load()) {
            return false;
        }
        impl.Perform();
        if (!impl.headersDone && !impl.done) {
            impl.Poll();
        }
    }
    return impl.headersDone;
}

bool HttpClient::QueryStatusCode(std::uint32_t& status) {
    long code = 0;
    if (!m_impl->headersDone ||
        curl_easy_getinfo(m_impl->easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK || code <= 0) {
        return false;
    }
    status = static_cast<std::uint32_t>(code);
    return true;
}

bool HttpClient::QueryContentLength(std::uint32_t& length) {
    curl_off_t announced = -1;
    if (!m_impl->headersDone ||
        curl_easy_getinfo(m_impl->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) !=
            CURLE_OK ||
        announced < 0 || announced > static_cast<curl_off_t>(UINT32_MAX)) {
        return false;
    }
    length = static_cast<std::uint32_t>(announced);
    return true;
}

bool HttpClient::ReadBlock(void* buffer, std::uint32_t size, std::uint32_t& read) {
    Impl& impl = *m_impl;
    read = 0;
    if (!impl.headersDone) {
        return false;
    }
    char* out = static_cast<char*>(buffer);
    for (;;) {
        std::size_t n = std::min<std::size_t>(size - read, impl.Available());
        if (n > 0) {
            std::memcpy(out + read, impl.backlog.data() + impl.taken, n);
            impl.taken += n;
            read += static_cast<std::uint32_t>(n);
        }
        if (read == size) {
            return true;
        }
        if (impl.done) {
            return impl.result == CURLE_OK;
        }
        if (impl.cancel.load()) {
            return false;
        }
        if (impl.paused) {
            impl.paused = false;
            curl_easy_pause(impl.easy, CURLPAUSE_CONT);
            continue;
        }
        impl.Perform();
        if (impl.Available() == 0 && !impl.done) {
            impl.Poll();
        }
    }
}

}  // namespace plat

#include "net/curl_page_reader.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

namespace kestrel {
namespace {

struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using Clock = std::chrono::steady_clock;

struct Collected {
    std::string bytes;
    std::size_t maxBytes;
    Clock::duration readLimit;
    std::optional<Clock::time_point> connected;  // when the first connection was made
};

// Called once a connection stands, before the request goes out on it.
int noteConnected(void* target, char*, char*, int, int) {
    auto& collected = *static_cast<Collected*>(target);
    if (!collected.connected) collected.connected = Clock::now();
    return CURL_PREREQFUNC_OK;
}

// Called about once a second at least, however slowly bytes arrive: a server that trickles
// never trips libcurl's low-speed rule, so the read is bounded here as a whole.
int checkTime(void* target, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& collected = *static_cast<const Collected*>(target);
    return collected.connected && Clock::now() - *collected.connected > collected.readLimit;
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* target) {
    auto& collected = *static_cast<Collected*>(target);
    const std::size_t arrived = size * count;
    collected.bytes.append(data, std::min(arrived, collected.maxBytes - collected.bytes.size()));
    // Answering with fewer bytes than were delivered makes libcurl abort the transfer, so once
    // the buffer is full the rest of the body is never read.
    return collected.bytes.size() == collected.maxBytes ? 0 : arrived;
}

}  // namespace

std::string CurlPageReader::readFirstBytes(const std::string& url, std::size_t maxBytes) {
    const std::unique_ptr<CURL, EasyCleanup> easy(curl_easy_init());
    if (!easy) return {};
    // An empty "Accept:" removes libcurl's default Accept header; Host and User-Agent remain.
    // No Cache-Control or Pragma either: libcurl keeps no response cache and this handle lives
    // for one read, so every read goes to the server anyway; those would be headers of our own.
    const std::unique_ptr<curl_slist, ListCleanup> headers(curl_slist_append(nullptr, "Accept:"));
    Collected collected{{}, maxBytes, patience_.read, std::nullopt};

    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, kProbeUserAgent);
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    // Direct connection: neither a proxy nor the proxy variables of the environment apply.
    curl_easy_setopt(easy.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(easy.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
    curl_easy_setopt(easy.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // A server that never answers, falls silent or trickles ends the read; what arrived until
    // then is shown.
    curl_easy_setopt(easy.get(), CURLOPT_CONNECTTIMEOUT,
                     static_cast<long>(patience_.connect.count()));
    curl_easy_setopt(easy.get(), CURLOPT_PREREQFUNCTION, noteConnected);
    curl_easy_setopt(easy.get(), CURLOPT_PREREQDATA, &collected);
    curl_easy_setopt(easy.get(), CURLOPT_XFERINFOFUNCTION, checkTime);
    curl_easy_setopt(easy.get(), CURLOPT_XFERINFODATA, &collected);
    curl_easy_setopt(easy.get(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &collected);
    // The outcome is deliberately not examined; the caller shows whatever arrived.
    curl_easy_perform(easy.get());
    return std::move(collected.bytes);
}

}  // namespace kestrel

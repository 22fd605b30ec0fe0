#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace kestrel {

// Every reader identifies itself to the server with this user-agent text.
inline constexpr const char* kProbeUserAgent = "API-Guide test program";

// How long a read may take. The probe blocks the window while it waits, so together these bound
// the whole probe, whichever HTTP client does the reading.
struct ReadPatience {
    std::chrono::seconds connect{60};  // to have each connection
    std::chrono::seconds read{30};     // for the rest, from the first connection on
};

// Redirects a reader follows before it gives up and shows nothing.
inline constexpr int kMaxRedirects = 5;

// The one page fetch the connectivity probe needs, kept behind an interface so that each
// platform can use its own HTTP client.
class PageReader {
  public:
    virtual ~PageReader() = default;
    // One GET of url, straight to the server (no proxy, no cache). Returns at most maxBytes of
    // the body and reads no further. Nothing is examined: a failed request yields whatever
    // arrived before the failure, possibly nothing.
    virtual std::string readFirstBytes(const std::string& url, std::size_t maxBytes) = 0;
};

}  // namespace kestrel

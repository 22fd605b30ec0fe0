#pragma once

#include <cstddef>
#include <string>

namespace kestrel {

// Every reader identifies itself to the server with this user-agent text.
inline constexpr const char* kProbeUserAgent = "API-Guide test program";

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

#pragma once

#include <chrono>

#include "net/page_reader.h"

namespace kestrel {

// How long a read may take. libcurl has no limit of its own, and the probe blocks the window
// while it waits, so together these bound the whole probe.
struct ReadPatience {
    std::chrono::seconds connect{60};  // to have each connection
    std::chrono::seconds read{30};     // for the rest, from the first connection on
};

// PageReader over libcurl. Each read uses a handle of its own and releases it before returning,
// so no connection outlives the read. Redirects are followed, at most kMaxRedirects of them, as
// the system's HTTP client does on Windows.
class CurlPageReader final : public PageReader {
  public:
    static constexpr long kMaxRedirects = 5;

    explicit CurlPageReader(ReadPatience patience = {}) : patience_(patience) {}

    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;

  private:
    ReadPatience patience_;
};

}  // namespace kestrel

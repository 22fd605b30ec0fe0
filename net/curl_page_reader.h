#pragma once

#include <chrono>

#include "net/page_reader.h"

namespace kestrel {

// How long a read may wait. libcurl has no limit of its own, and the probe blocks the window
// while it waits: these are the bounds the system's own HTTP client sets.
struct ReadPatience {
    std::chrono::seconds connect{60};  // to have the connection
    std::chrono::seconds silence{30};  // without a byte received, once connected
};

// PageReader over libcurl. Each read uses a handle of its own and releases it before returning,
// so no connection outlives the read.
class CurlPageReader final : public PageReader {
  public:
    explicit CurlPageReader(ReadPatience patience = {}) : patience_(patience) {}

    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;

  private:
    ReadPatience patience_;
};

}  // namespace kestrel

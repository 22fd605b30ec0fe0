#pragma once

#include "net/page_reader.h"

namespace kestrel {

// PageReader over libcurl. Each read uses a handle of its own and releases it before returning,
// so no connection outlives the read. libcurl has no time limit of its own: the patience given
// bounds the read. Redirects are followed, at most kMaxRedirects of them.
class CurlPageReader final : public PageReader {
  public:
    explicit CurlPageReader(ReadPatience patience = {}) : patience_(patience) {}

    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;

  private:
    ReadPatience patience_;
};

}  // namespace kestrel

#pragma once

#include "net/page_reader.h"

namespace kestrel {

// PageReader over libcurl. Each read uses a handle of its own and releases it before returning,
// so no connection outlives the read.
class CurlPageReader final : public PageReader {
  public:
    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;
};

}  // namespace kestrel

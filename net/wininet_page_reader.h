#pragma once

#include "net/page_reader.h"

namespace kestrel {

// PageReader over the system's WinINet, bound by name when first used, so that Kestrel starts
// on a system without it. Throws kestrel::Error when "wininet" or one of its four entry points
// cannot be found; any other failure is not examined and yields what arrived, possibly nothing.
class WinInetPageReader final : public PageReader {
  public:
    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;
};

}  // namespace kestrel

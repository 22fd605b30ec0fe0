#pragma once

#include "net/page_reader.h"

namespace kestrel {

// PageReader over the system's WinINet, bound by name when first used, so that Kestrel starts
// on a system without it. Throws kestrel::Error when "wininet" or one of the entry points it
// uses cannot be found; any other failure is not examined and yields what arrived, possibly
// nothing. The patience given bounds the read; redirects are followed, at most kMaxRedirects.
class WinInetPageReader final : public PageReader {
  public:
    explicit WinInetPageReader(ReadPatience patience = {}) : patience_(patience) {}

    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;

  private:
    ReadPatience patience_;
};

}  // namespace kestrel

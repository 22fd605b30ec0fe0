#pragma once

// The reader that the platform's probe uses.
#ifdef _WIN32
#include "net/wininet_page_reader.h"
#else
#include "net/curl_page_reader.h"
#endif

namespace kestrel::test {

#ifdef _WIN32
using PlatformPageReader = WinInetPageReader;
#else
using PlatformPageReader = CurlPageReader;
#endif

}  // namespace kestrel::test

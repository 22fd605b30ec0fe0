#pragma once

#include <cstddef>
#include <string>

#include "net/message_sink.h"
#include "net/page_reader.h"

namespace kestrel {

// The probe reads, and always shows, this many bytes.
inline constexpr std::size_t kProbeLength = 1000;

// The first kProbeLength bytes of the body of url, padded with blanks to kProbeLength when
// fewer arrived (all blanks when nothing did), read in localeCharset() and returned
// as UTF-8.
std::string probeText(PageReader& reader, const std::string& url);

// The connectivity test behind the main window's hidden Command1 button: fetches url and shows
// probeText in sink. Blocks until the fetch ends and the sink returns; reports no failure.
void runProbe(PageReader& reader, MessageSink& sink, const std::string& url);

}  // namespace kestrel

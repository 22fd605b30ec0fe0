#include "net/probe.h"

#include <algorithm>

#include "net/locale_text.h"

namespace kestrel {

std::string probeText(PageReader& reader, const std::string& url) {
    std::string bytes(kProbeLength, ' ');
    const std::string arrived = reader.readFirstBytes(url, kProbeLength);
    std::copy_n(arrived.begin(), std::min(arrived.size(), kProbeLength), bytes.begin());
    return toUtf8(bytes, localeCharset());
}

void runProbe(PageReader& reader, MessageSink& sink, const std::string& url) {
    sink.show(probeText(reader, url));
}

}  // namespace kestrel

#pragma once

#include <QUrl>
#include <string>

namespace kestrel {

// The selector address as the browser gets it. Its values arrive percent-encoded already, so
// the text is taken as encoded and kept as it is; only the blanks around the first key's "="
// have to become %20, as nothing else can travel in a request line.
QUrl browserUrl(const std::string& address);

}  // namespace kestrel

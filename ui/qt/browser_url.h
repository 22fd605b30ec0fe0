#pragma once

#include <QUrl>
#include <string>

namespace kestrel {

// The selector address as the browser gets it. The address arrives percent-encoded already,
// in the form the browser sends, so the text is taken as encoded and kept as it is.
QUrl browserUrl(const std::string& address);

}  // namespace kestrel

#include "ui/qt/browser_url.h"

namespace kestrel {

QUrl browserUrl(const std::string& address) {
    return QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::TolerantMode);
}

}  // namespace kestrel

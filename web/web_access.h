#pragma once

#include "net/page_reader.h"

class QUrl;
class QWidget;

namespace kestrel::web {

// What the main window has of the web: the embedded browser and the connectivity probe's page
// reader. Both live in a plugin, the only part of Kestrel that links the browser engine and
// libcurl, so that Kestrel starts without loading either.
class WebAccess {
  public:
    virtual ~WebAccess() = default;

    // Starts the browser engine (its threads, helper processes and profile) ahead of the first
    // view.
    virtual void warmUp() = 0;
    // A new browser view that fills host, owned by host.
    virtual QWidget& createView(QWidget& host) = 0;
    // Starts loading url in a view that createView made.
    virtual void load(QWidget& view, const QUrl& url) = 0;
    // The page reader of the connectivity probe.
    virtual PageReader& pageReader() = 0;
};

// The plugin's one exported function, found by this name: the plugin's WebAccess, one per
// process.
using WebAccessEntry = WebAccess* (*)();
inline constexpr char kWebAccessEntry[] = "kestrelWebAccess";

}  // namespace kestrel::web

#pragma once

#include "web/web_access.h"

namespace kestrel::web {

// Once the first window (the disclaimer) has been drawn, loads the web plugin in the background
// and then starts the browser engine, while the customer reads. Kestrel thus starts without the
// engine, and the main window finds it ready. Call once, before the event loop.
void preloadOnceShown();

// The plugin's WebAccess; loads the plugin now where the preload has not yet done so. Throws
// Error when the plugin cannot be loaded.
WebAccess& webAccess();

// The connectivity probe's page reader, the plugin's: reads through webAccess().
class PluginPageReader final : public PageReader {
  public:
    std::string readFirstBytes(const std::string& url, std::size_t maxBytes) override;
};

}  // namespace kestrel::web

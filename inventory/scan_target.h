#pragma once

#include <string>
#include <string_view>

namespace kestrel {

struct SystemInventory;

// What the scan needs of the main window. The window implements it; the command line and the
// tests use a recording stand-in.
class ScanTarget {
  public:
    virtual ~ScanTarget() = default;

    // Loads the window if it is not loaded yet, running its load handler (see
    // resetOnLoad). The scan calls this before its first control access.
    virtual void ensureLoaded() = 0;

    virtual void setCaption(std::string_view label, const std::string& text) = 0;
    virtual void clearList(std::string_view list) = 0;
    virtual void addRow(std::string_view list, const std::string& text) = 0;
    // Starts loading the page and returns at once.
    virtual void navigate(const std::string& url) = 0;
};

// The main window's load handler: blanks the 18 value labels and resets the module count.
void resetOnLoad(ScanTarget& target, SystemInventory& inventory);

}  // namespace kestrel

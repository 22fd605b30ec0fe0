#pragma once

#include <map>
#include <string>
#include <vector>

#include "inventory/scan_target.h"

namespace kestrel {

// A main window without a window: keeps captions, list rows and the address it was sent to,
// and the order of every caption write. Serves the command line and the tests.
class RecordingScanTarget : public ScanTarget {
  public:
    explicit RecordingScanTarget(SystemInventory& inventory) : inventory_(inventory) {}

    void ensureLoaded() override;
    void setCaption(std::string_view label, const std::string& text) override;
    void clearList(std::string_view list) override;
    void addRow(std::string_view list, const std::string& text) override;
    void navigate(const std::string& url) override { navigations_.push_back(url); }

    bool loaded() const { return loaded_; }
    // Throws Error for a label the scan never wrote.
    std::string caption(std::string_view label) const;
    const std::map<std::string, std::string, std::less<>>& captions() const { return captions_; }
    const std::vector<std::string>& captionWrites() const { return captionWrites_; }
    const std::vector<std::string>& rows(std::string_view list) const;
    const std::vector<std::string>& navigations() const { return navigations_; }

  private:
    SystemInventory& inventory_;
    bool loaded_ = false;
    std::map<std::string, std::string, std::less<>> captions_;
    std::vector<std::string> captionWrites_;
    std::map<std::string, std::vector<std::string>, std::less<>> lists_;
    std::vector<std::string> navigations_;
};

}  // namespace kestrel

#include "inventory/recording_scan_target.h"

#include "inventory/error.h"

namespace kestrel {

void RecordingScanTarget::ensureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    resetOnLoad(*this, inventory_);
}

void RecordingScanTarget::setCaption(std::string_view label, const std::string& text) {
    captions_.insert_or_assign(std::string(label), text);
    captionWrites_.emplace_back(label);
}

std::string RecordingScanTarget::caption(std::string_view label) const {
    const auto found = captions_.find(label);
    if (found == captions_.end()) {
        throw Error("the caption of " + std::string(label) + " was read before it was set");
    }
    return found->second;
}

void RecordingScanTarget::clearList(std::string_view list) {
    lists_.insert_or_assign(std::string(list), std::vector<std::string>{});
}

void RecordingScanTarget::addRow(std::string_view list, const std::string& text) {
    auto found = lists_.find(list);
    if (found == lists_.end())
        found = lists_.emplace(std::string(list), std::vector<std::string>{}).first;
    found->second.push_back(text);
}

const std::vector<std::string>& RecordingScanTarget::rows(std::string_view list) const {
    static const std::vector<std::string> none;
    const auto found = lists_.find(list);
    return found == lists_.end() ? none : found->second;
}

}  // namespace kestrel

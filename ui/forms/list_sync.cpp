#include "ui/forms/list_sync.h"

namespace kestrel::forms {

void followSelection(const ListBox& source, ListBox& first, ListBox& second) {
    first.setSelectedIndex(source.selectedIndex());
    second.setSelectedIndex(source.selectedIndex());
}

}  // namespace kestrel::forms

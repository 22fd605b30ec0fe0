#pragma once

#include "ui/forms/controls.h"

namespace kestrel::forms {

// Puts first, then second, on the row selected in source, reading source afresh each time:
// first's own handler may have run in between.
void followSelection(const ListBox& source, ListBox& first, ListBox& second);

}  // namespace kestrel::forms

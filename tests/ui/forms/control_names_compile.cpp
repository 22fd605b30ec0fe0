// Compiled, not run: as it stands it must compile; with KESTREL_MISNAMED or KESTREL_WRONG_KIND
// it must not, since the layout names every control once, with its kind.
#include "ui/forms/window.h"
#include "ui/layout/layout_names.h"

namespace kestrel::test {

void touchControls(forms::Window& window) {
#if defined(KESTREL_MISNAMED)
    window.label(layout::form1::Label2l);
#elif defined(KESTREL_WRONG_KIND)
    window.listBox(layout::form1::Label21);
#else
    window.label(layout::form1::Label21);
    window.listBox(layout::form1::slotsLst);
    window.clickable(layout::form1::clipboardCmd);
    window.clickable(layout::form1::Label39);
#endif
}

}  // namespace kestrel::test

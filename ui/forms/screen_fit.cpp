#include "ui/forms/screen_fit.h"

#include <algorithm>

namespace kestrel::forms {
namespace {

// The start of a span of length inside [low, low + room): where it was, moved in as little as
// needed; at low when it is longer than the room.
int moveInside(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

WindowFit fitToWorkArea(const WindowPlan& plan, const FrameMargins& frame,
                        const ScreenRect& workArea, int scrollBar) {
    WindowFit fit;
    fit.contentWidth = plan.clientWidth;
    fit.contentHeight = plan.clientHeight;
    fit.client = {plan.place.x, plan.place.y, plan.clientWidth, plan.clientHeight};
    if (workArea.width <= 0 || workArea.height <= 0) return fit;

    const int roomWidth = std::max(1, workArea.width - frame.left - frame.right);
    const int roomHeight = std::max(1, workArea.height - frame.top - frame.bottom);
    fit.pageShrink = std::clamp(plan.clientHeight - roomHeight, 0, std::max(0, plan.pageSlack));
    fit.contentHeight = plan.clientHeight - fit.pageShrink;

    // A scroll bar in one direction takes room from the other.
    bool vertical = fit.contentHeight > roomHeight;
    const bool horizontal = fit.contentWidth + (vertical ? scrollBar : 0) > roomWidth;
    vertical = vertical || (horizontal && fit.contentHeight + scrollBar > roomHeight);
    fit.scrolls = vertical || horizontal;
    fit.client.width = std::min(fit.contentWidth + (vertical ? scrollBar : 0), roomWidth);
    fit.client.height = std::min(fit.contentHeight + (horizontal ? scrollBar : 0), roomHeight);

    if (fit.scrolls) {
        fit.client.left = workArea.left + frame.left;
        fit.client.top = workArea.top + frame.top;
        return fit;
    }
    const int outerWidth = frame.left + fit.client.width + frame.right;
    const int outerHeight = frame.top + fit.client.height + frame.bottom;
    fit.client.left =
        moveInside(plan.place.x - frame.left, outerWidth, workArea.left, workArea.width) +
        frame.left;
    fit.client.top =
        moveInside(plan.place.y - frame.top, outerHeight, workArea.top, workArea.height) +
        frame.top;
    return fit;
}

}  // namespace kestrel::forms

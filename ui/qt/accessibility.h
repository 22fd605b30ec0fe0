#pragma once

class QWidget;

namespace kestrel::gui {

// What assistive technology is told of Kestrel's windows beyond Qt's defaults, taken from the
// layout: a caption label's buddy is the control it captions.
// - A window made as a dialog is a dialog, any other window a frame; both are named by their
//   titles.
// - A label captioned by another label reads as labelled by that caption alone (not by its
//   frame), and a blank one is named "<caption> not reported" rather than by another control's
//   text.
// Installed once per process, before the first window is made.
void installAccessibility();

// Names each control that is captioned by a label (other than a label itself) by its caption,
// as the toolkit does not for lists. Called once the window's layout is set up.
void nameCaptionedControls(QWidget& window);

}  // namespace kestrel::gui

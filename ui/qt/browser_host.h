#pragma once

#include <QWidget>

namespace kestrel::gui {

// The main window's place for its embedded browser (WB in the layout). The browser view itself
// comes from the web plugin once the window is made, so that nothing of the browser engine is
// needed to build or show the layout.
class BrowserHost : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

}  // namespace kestrel::gui

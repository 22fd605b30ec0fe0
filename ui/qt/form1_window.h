#pragma once

#include <memory>
#include <optional>

#include "ui/forms/form1.h"
#include "ui/qt/kestrel_window.h"

namespace Ui {
class Form1;
}

namespace kestrel::gui {

class WebBrowser;

// The main window's window: its layout with the embedded browser, placed where the layout puts
// it, the hand pointer over the chat controls. Its behaviour is forms::Form1's.
class Form1Window : public KestrelWindow {
    Q_OBJECT

  public:
    Form1Window(forms::WindowRuntime& runtime, forms::Desktop& desktop,
                forms::Form1::ServiceFactory openService);
    ~Form1Window() override;

    forms::Form1& form() { return *form_; }

    forms::Browser& browser(layout::BrowserName name) override;

  private:
    std::unique_ptr<Ui::Form1> ui_;
    std::unique_ptr<WebBrowser> browser_;
    std::optional<forms::Form1> form_;
};

}  // namespace kestrel::gui

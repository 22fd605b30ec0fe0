#include "ui/qt/form1_window.h"

#include <QListWidget>

#include "ui/forms/form1_values.h"
#include "ui/forms/screen_fit.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/browser_url.h"
#include "ui/qt/cursor_file.h"
#include "ui/qt/first_line_label.h"
#include "ui/qt/list_keys.h"
#include "ui/qt/twips.h"
#include "ui/qt/window_fit.h"
#include "ui_form1.h"
#include "web/web_plugin.h"

namespace kestrel::gui {
namespace {

// The client area's top-left corner on the screen.
const QPoint kPosition(twips(layout::form1::kPlace.x), twips(layout::form1::kPlace.y));

}  // namespace

// The embedded browser WB: a view of the web plugin's, made in WB's place.
class WebBrowser final : public forms::Browser {
  public:
    explicit WebBrowser(Ui::Form1& ui) : ui_(ui), web_(web::webAccess()) {
        view_ = &web_.createView(*ui_.WB);
    }

    void navigate(const std::string& address) override {
        web_.load(*view_, browserUrl(address));
        // The first load creates the browser's inner widget, which takes its focus, at the end
        // of the window's tab order; put the browser back in its place.
        QWidget::setTabOrder(ui_.clipboardCmd, view_);
        QWidget::setTabOrder(view_, ui_.Command1);
    }

  private:
    Ui::Form1& ui_;
    web::WebAccess& web_;
    QWidget* view_ = nullptr;
};

Form1Window::Form1Window(forms::WindowRuntime& windowRuntime, forms::Desktop& desktop,
                         forms::Form1::ServiceFactory openService)
    : KestrelWindow(windowRuntime, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                       Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Form1>()) {
    ui_->setupUi(this);
    nameCaptionedControls(*this);
    std::vector<QWidget*> pageArea;
    for (const auto name : forms::kPageArea) pageArea.push_back(&child<QWidget>(name));
    new WindowFit(*this, kPosition, pageArea, twips(forms::kMinimumPageTwips));
    const QCursor hand = loadCursorFile(QStringLiteral(":/kestrel/hand.cur"));
    ui_->Image1->setCursor(hand);
    ui_->Label39->setCursor(hand);
    // A value is one line high: a long one shows its words up to the label's edge, nothing of a
    // second line.
    auto* firstLinePainter = new FirstLinePainter(this);
    for (const forms::ValueLabel& value : forms::kValueLabels)
        child<QLabel>(value.name).installEventFilter(firstLinePainter);
    auto* firstDown = new FirstDownSelectsFirstRow(this);
    for (QListWidget* list : {ui_->memoryLst, ui_->slotsLst, ui_->speedLst})
        list->installEventFilter(firstDown);
    browser_ = std::make_unique<WebBrowser>(*ui_);
    form_.emplace(*this, desktop, std::move(openService));
}

Form1Window::~Form1Window() = default;

forms::Browser& Form1Window::browser(layout::BrowserName name) {
    if (name != layout::form1::WB) return KestrelWindow::browser(name);
    return *browser_;
}

}  // namespace kestrel::gui

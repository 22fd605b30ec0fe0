#include "ui/qt/form1_window.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <clocale>

#include "inventory/build_config.h"
#include "inventory/controls.h"
#include "inventory/error.h"
#include "inventory/inventory_scan.h"
#include "ui/qt/browser_url.h"
#include "ui/forms/chat_launch.h"
#include "ui/forms/list_sync.h"
#include "ui/forms/probe_messages.h"
#include "net/curl_page_reader.h"
#include "net/probe.h"
#include "ui/qt/clipboard.h"
#include "ui/qt/cursor_file.h"
#include "ui/qt/twips.h"
#include "ui_form1.h"

namespace kestrel {
namespace {

// The client area's top-left corner on the screen.
const QPoint kPosition(gui::twips(1845), gui::twips(330));

QString helpText() {
    return QStringLiteral("Need Help?") + QString(43, QLatin1Char(' ')) +
           QStringLiteral("Email : ") + QString::fromUtf8(build::kSupportEmail);
}

}  // namespace

Form1::Form1(gui::WindowRuntime& windowRuntime, ServiceFactory openService)
    : KestrelWindow(windowRuntime, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                       Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Form1>()),
      openService_(std::move(openService)) {
    ui_->setupUi(this);
    setFixedSize(size());
    setGeometry(QRect(kPosition, size()));
    ui_->Label42->setText(helpText());
    // Firmware strings are shown as written: "<b>" in a maker's name must not turn into markup.
    for (const auto label : controls::kValueLabels)
        control<QLabel>(label).setTextFormat(Qt::PlainText);
    const QCursor hand = gui::loadCursorFile(QStringLiteral(":/kestrel/hand.cur"));
    ui_->Image1->setCursor(hand);
    ui_->Label39->setCursor(hand);
    ui_->slotsLst->setFocus();

    on(ui_->clipboardCmd, &QPushButton::clicked,
       [this] { gui::copyToClipboard(inventory_.reportText); });
    on(ui_->Image1, &gui::ClickableLabel::clicked, [this] { launchChat(runtime().messages()); });
    on(ui_->Label39, &gui::ClickableLabel::clicked, [this] { launchChat(runtime().messages()); });
    on(ui_->Command1, &QPushButton::clicked, [this] {
        CurlPageReader reader;
        ProbeMessages messages(runtime().messages());
        runProbe(reader, messages, build::kProbeUrl);
    });
    // Row i of the three lists describes the same module: a selection in one is followed by
    // the other two.
    on(ui_->memoryLst, &QListWidget::itemSelectionChanged,
       [this] { followSelection(*ui_->memoryLst, *ui_->slotsLst, *ui_->speedLst); });
    on(ui_->slotsLst, &QListWidget::itemSelectionChanged,
       [this] { followSelection(*ui_->slotsLst, *ui_->memoryLst, *ui_->speedLst); });
    on(ui_->speedLst, &QListWidget::itemSelectionChanged,
       [this] { followSelection(*ui_->speedLst, *ui_->memoryLst, *ui_->slotsLst); });
}

Form1::~Form1() = default;

void Form1::load() { resetOnLoad(*this, inventory_); }

InventoryValue Form1::getKestrel() {
    const std::unique_ptr<ManagementService> service = openService_();
    std::setlocale(LC_ALL, "");
    InventoryScan scan(*service, *this, inventory_, ValueFormat(std::localeconv()->decimal_point),
                       {build::kSelectorHost, build::kSiteDomain});
    return scan.run();
}

template <class Control>
Control& Form1::control(std::string_view name) const {
    auto* found = findChild<Control*>(QString::fromUtf8(name.data(), std::ssize(name)));
    if (!found) throw Error("the main window has no control " + std::string(name));
    return *found;
}

void Form1::setCaption(std::string_view label, const std::string& text) {
    ensureLoaded();
    control<QLabel>(label).setText(QString::fromStdString(text));
}

std::string Form1::caption(std::string_view label) const {
    return control<QLabel>(label).text().toStdString();
}

void Form1::clearList(std::string_view list) {
    ensureLoaded();
    // Emptying a list is no selection by the user: the other lists must not follow it.
    QListWidget& widget = control<QListWidget>(list);
    const QSignalBlocker quiet(widget);
    widget.clear();
}

void Form1::addRow(std::string_view list, const std::string& text) {
    ensureLoaded();
    control<QListWidget>(list).addItem(QString::fromStdString(text));
}

void Form1::navigate(const std::string& url) {
    ensureLoaded();
    ui_->WB->load(browserUrl(url));
    // The first load creates the browser's inner widget, which takes its focus, at the end of
    // the window's tab order; put the browser back in its place.
    QWidget::setTabOrder(ui_->clipboardCmd, ui_->WB);
    QWidget::setTabOrder(ui_->WB, ui_->Command1);
}

}  // namespace kestrel

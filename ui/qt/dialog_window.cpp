#include "ui/qt/dialog_window.h"

#include "ui/qt/twips.h"
#include "ui_dialog.h"

namespace kestrel {
namespace {

constexpr const char* kParagraphs[] = {
    "Please read the following carefully before using the scan tool.",
    "Using the scanner DO NOT collect any personal data stored on the computer, only the system "
    "information is captured and is for one time scan use only, NO personal data is transmitted. "
    "To run the scanner just click the OK button. This scanner results are for helping you find "
    "the memory type only and we do not offer a guaranteed compatibility results.",
    "Please verify with your computer's manual to confirm that the memory you buy is the correct "
    "memory for your system. You can make use of the many tools found on the site, these tools "
    "are meant to guide you to find the memory type for you, we have the Memory Scan tool, the "
    "Memory Selector help tool, and Live Chat.",
    "If you need any help before buying memory, you can use our live customer support chat to "
    "talk to one of our representative and we will be glad to help you find the compatible "
    "memory.",
};

// The client area's top-left corner on the screen.
const QPoint kPosition(gui::twips(5025), gui::twips(2115));

}  // namespace

Dialog::Dialog(gui::WindowRuntime& windowRuntime, std::function<void()> showScanScreen)
    : KestrelWindow(windowRuntime, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Dialog>()),
      showScanScreen_(std::move(showScanScreen)) {
    ui_->setupUi(this);
    setFixedSize(size());
    setGeometry(QRect(kPosition, size()));
    ui_->Text1->setFocus();
    on(ui_->OKButton, &QPushButton::clicked, [this] {
        showScanScreen_();
        unload();
    });
    on(ui_->CancelButton, &QPushButton::clicked, [this] { runtime().end(0); });
}

Dialog::~Dialog() = default;

void Dialog::load() {
    QString disclaimer;
    for (const char* paragraph : kParagraphs) {
        if (!disclaimer.isEmpty()) disclaimer += QStringLiteral("\r\n\r\n");
        disclaimer += QString::fromUtf8(paragraph);
    }
    ui_->Text1->setPlainText(disclaimer);
}

}  // namespace kestrel

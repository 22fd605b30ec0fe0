#include "ui/forms/dialog.h"

#include <string>

#include "ui/layout/layout_names.h"

namespace kestrel::forms {
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

}  // namespace

Dialog::Dialog(Window& window, WindowRuntime& runtime, Handler showScanScreen)
    : window_(window), runtime_(runtime), showScanScreen_(std::move(showScanScreen)) {
    window_.setFirstFocus(layout::dialog::Text1);
    window_.onLoad([this] { Form_Load(); });
    window_.clickable(layout::dialog::OKButton).onClick([this] { OKButton_Click(); });
    window_.clickable(layout::dialog::CancelButton).onClick([this] { CancelButton_Click(); });
}

void Dialog::Form_Load() {
    std::string disclaimer;
    for (const char* paragraph : kParagraphs) {
        if (!disclaimer.empty()) disclaimer += "\r\n\r\n";
        disclaimer += paragraph;
    }
    window_.textBox(layout::dialog::Text1).setText(disclaimer);
}

void Dialog::OKButton_Click() {
    showScanScreen_();
    window_.unload();
}

void Dialog::CancelButton_Click() { runtime_.end(0); }

}  // namespace kestrel::forms

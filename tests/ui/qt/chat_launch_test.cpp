#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gui_test_support.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/clickable_label.h"
#include "ui/qt/form1_window.h"

namespace kestrel::test {
namespace {

// Puts a directory of the test's own in front of PATH, where a fake xdg-open may live.
class ChatLaunchTest : public ::testing::Test {
  protected:
    ChatLaunchTest() : oldPath_(qgetenv("PATH")) { qputenv("PATH", dir_.path().toUtf8()); }
    ~ChatLaunchTest() override { qputenv("PATH", oldPath_); }

    // An xdg-open that appends its arguments to a file.
    QString installBrowser() {
        QString log = dir_.filePath("opened");
        QFile script(dir_.filePath("xdg-open"));
        script.open(QIODevice::WriteOnly);
        script.write(("#!/bin/sh\necho \"$@\" >> '" + log + "'\n").toUtf8());
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        return log;
    }

    void click(std::string_view name) {
        emit form.findChild<gui::ClickableLabel*>(qtName(name))->clicked();
    }

    QTemporaryDir dir_;
    QByteArray oldPath_;
    RecordingRuntime rt;
    QtDesktop desktop{rt.messages};
    gui::Form1Window form{rt.runtime, desktop.desktop, [] { return fixtureService(); }};
};

// The fake creates its file before it writes the line: wait for whole lines.
QString waitForContent(const QString& path) {
    QString content;
    for (int i = 0; i < 100; ++i) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) content = QString::fromUtf8(file.readAll());
        if (content.endsWith('\n')) break;
        processEvents(20);
    }
    return content;
}

TEST_F(ChatLaunchTest, PictureAndLabelOpenTheChatPage) {
    const QString opened = installBrowser();
    click(layout::form1::Image1);
    EXPECT_EQ(waitForContent(opened),
              "http://chat.kestrel-memory.example/support/UserPreChat.aspx"
              "?ref=CustomerScanWindow\n");
    click(layout::form1::Label39);
    for (int i = 0; i < 100 && waitForContent(opened).count('\n') < 2; ++i) processEvents(20);
    EXPECT_EQ(waitForContent(opened).count('\n'), 2) << "a second click starts a second browser";
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(ChatLaunchTest, MissingBrowserIsReportedEachTimeAndTheWindowCarriesOn) {
    click(layout::form1::Label39);
    click(layout::form1::Image1);
    EXPECT_EQ(rt.messages.texts,
              (std::vector<std::string>{"Browser Not found!!!", "Browser Not found!!!"}));
    EXPECT_TRUE(rt.endStatuses.empty());
}

}  // namespace
}  // namespace kestrel::test

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/dialog_window.h"
#include "ui/qt/twips.h"
#include "ui/qt/window_slot.h"

namespace kestrel::test {
namespace {

using gui::twips;

class DialogTest : public ::testing::Test {
  protected:
    DialogTest() { dialog->show(); }

    QPlainTextEdit& text() {
        return *dialog->findChild<QPlainTextEdit*>(qtName(layout::dialog::Text1));
    }
    QPushButton& button(std::string_view name) {
        return *dialog->findChild<QPushButton*>(qtName(name));
    }
    bool dialogLoaded() { return dialog.current() && dialog->isLoaded(); }

    RecordingRuntime rt;
    std::vector<std::string> events;
    gui::WindowSlot<gui::DialogWindow> dialog{[this] {
        return std::make_unique<gui::DialogWindow>(rt.runtime, [this] {
            events.push_back(dialogLoaded() ? "scan screen shown, dialog loaded" : "too late");
        });
    }};
};

TEST_F(DialogTest, ShowsTheFourParagraphsSeparatedByEmptyLines) {
    const QStringList paragraphs = text().toPlainText().split("\n\n");
    ASSERT_EQ(paragraphs.size(), 4);
    EXPECT_EQ(paragraphs[0], "Please read the following carefully before using the scan tool.");
    EXPECT_TRUE(paragraphs[1].startsWith("Using the scanner DO NOT collect any personal data"));
    EXPECT_TRUE(paragraphs[2].endsWith("the Memory Selector help tool, and Live Chat."));
    EXPECT_TRUE(paragraphs[3].startsWith("If you need any help before buying memory"));
    std::vector<qsizetype> lengths;
    for (const QString& p : paragraphs) lengths.push_back(p.size());
    EXPECT_EQ(lengths, (std::vector<qsizetype>{63, 350, 313, 182}));
    // Each break is CR LF twice in the composed text; the box keeps line breaks as LF.
    EXPECT_EQ(text().toPlainText().replace("\n", "\r\n").size(), 920);
    EXPECT_EQ(text().textCursor().position(), 0) << "shown from its first line";
}

TEST_F(DialogTest, LayoutPlacementAndFocus) {
    EXPECT_EQ(dialog->windowTitle(), "Kestrel - System Memory Information");
    EXPECT_EQ(dialog->geometry(), QRect(335, 141, 410, 322));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(text().geometry(), QRect(twips(120), twips(240), twips(5895), twips(3975)));
    EXPECT_EQ(button(layout::dialog::OKButton).geometry(), QRect(twips(1920), twips(4320), 81, 25));
    EXPECT_EQ(button(layout::dialog::OKButton).text(), "OK");
    EXPECT_EQ(button(layout::dialog::CancelButton).text(), "Cancel");
    EXPECT_TRUE(text().isReadOnly());
    EXPECT_EQ(text().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(tabOrder(*dialog, 4), (qtNames({layout::dialog::Text1, layout::dialog::CancelButton,
                                              layout::dialog::OKButton, layout::dialog::Text1})));
}

TEST_F(DialogTest, EnterEscapeAndTypingDoNothing) {
    const QString before = text().toPlainText();
    for (QWidget* target :
         {static_cast<QWidget*>(&text()), static_cast<QWidget*>(&button(layout::dialog::OKButton)),
          static_cast<QWidget*>(&button(layout::dialog::CancelButton))}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    QTest::keyClicks(&text(), "typed");
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(rt.endStatuses.empty());
    EXPECT_TRUE(dialogLoaded());
    EXPECT_EQ(text().toPlainText(), before);
}

TEST_F(DialogTest, OkShowsTheScanScreenThenUnloads) {
    QTest::mouseClick(&button(layout::dialog::OKButton), Qt::LeftButton);
    EXPECT_EQ(events, std::vector<std::string>{"scan screen shown, dialog loaded"});
    EXPECT_FALSE(dialogLoaded());
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0}) << "no scan screen really loaded here";
}

TEST_F(DialogTest, CancelEndsAtOnceWithoutUnloading) {
    QTest::mouseClick(&button(layout::dialog::CancelButton), Qt::LeftButton);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(dialogLoaded());
}

TEST_F(DialogTest, CloseBoxEndsThroughAnOrdinaryUnload) {
    dialog->close();
    EXPECT_FALSE(dialog.current());
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace kestrel::test

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "inventory/inventory_fields.h"
#include "ui/forms/form1_values.h"
#include "ui/layout/layout_names.h"
#include "ui/qt/first_line_label.h"
#include "ui/qt/form1_window.h"
#include "ui/qt/twips.h"

namespace kestrel::test {
namespace {

using gui::twips;

class Form1Test : public ::testing::Test {
  protected:
    template <class Control = QWidget>
    Control& control(std::string_view name) {
        auto* found = form.findChild<Control*>(qtName(name));
        if (!found) throw std::runtime_error("no control " + std::string(name));
        return *found;
    }
    QListWidget& list(std::string_view name) { return control<QListWidget>(name); }
    QLabel& label(std::string_view name) { return control<QLabel>(name); }
    QStringList rows(std::string_view name) {
        QStringList shown;
        for (int i = 0; i < list(name).count(); ++i) shown << list(name).item(i)->text();
        return shown;
    }
    void fillLists(int rows) {
        for (const auto name :
             {layout::form1::slotsLst, layout::form1::memoryLst, layout::form1::speedLst}) {
            forms::ListBox& box = form.form().window().listBox(name);
            box.clear();
            for (int i = 0; i < rows; ++i) box.addRow(std::string(name) + std::to_string(i));
        }
    }
    std::vector<int> selectedRows() {
        return {selected(layout::form1::slotsLst), selected(layout::form1::memoryLst),
                selected(layout::form1::speedLst)};
    }
    int selected(std::string_view name) {
        const auto items = control<QListWidget>(name).selectedItems();
        return items.isEmpty() ? -1 : control<QListWidget>(name).row(items.first());
    }

    RecordingRuntime rt;
    QtDesktop desktop{rt.messages};
    gui::Form1Window form{rt.runtime, desktop.desktop, [] { return fixtureService(); }};
};

TEST_F(Form1Test, LoadHandlerBlanksTheEighteenValueLabels) {
    for (const auto& value : forms::kValueLabels)
        EXPECT_EQ(label(value.name).text(), "Label21") << value.name;
    form.load();
    for (const auto& value : forms::kValueLabels)
        EXPECT_EQ(label(value.name).text(), "") << value.name;
    EXPECT_EQ(control<QLabel>(layout::form1::Label1).text(), "Manufacturer")
        << "caption labels stay";
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, ValuesThatLookLikeMarkupAreShownAsWritten) {
    form.load();
    form.form().window().label(layout::form1::Label21).setCaption("<b>Acme</b> &amp; Sons");
    for (const auto& value : forms::kValueLabels)
        EXPECT_EQ(label(value.name).textFormat(), Qt::PlainText) << value.name;
    EXPECT_EQ(form.form().window().label(layout::form1::Label21).caption(),
              "<b>Acme</b> &amp; Sons");
}

TEST_F(Form1Test, ScanShowsTheRecordInTheWidgets) {
    EXPECT_EQ(form.form().getKestrel(), InventoryValue("Success"));
    const SystemInventory& record = form.form().inventory();
    for (const auto& value : forms::kValueLabels) {
        EXPECT_EQ(label(value.name).text().toStdString(), shownText(record, value.field))
            << value.name;
    }
    QStringList locators, sizes, speeds;
    for (const auto& row : record.moduleRows) {
        locators << QString::fromStdString(row.locator);
        sizes << QString::fromStdString(row.size);
        speeds << QString::fromStdString(row.speed);
    }
    EXPECT_EQ(rows(layout::form1::slotsLst), locators);
    EXPECT_EQ(rows(layout::form1::memoryLst), sizes);
    EXPECT_EQ(rows(layout::form1::speedLst), speeds);
    EXPECT_EQ(locators.size(), 2);
    EXPECT_FALSE(form.isVisible()) << "the scan leaves the window hidden";
}

TEST_F(Form1Test, CopySetsExactlyTheReport) {
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    form.show();
    QTest::mouseClick(&control<QPushButton>(layout::form1::clipboardCmd), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "") << "no report before a scan";
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasImage());

    form.form().getKestrel();
    QTest::mouseClick(&control<QPushButton>(layout::form1::clipboardCmd), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              form.form().inventory().reportText);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\r\nInstalled RAM: 2 GB\r\n"));
    EXPECT_TRUE(rt.messages.texts.empty());
}

TEST_F(Form1Test, SelectingARowInAnyListMovesAllThree) {
    form.show();
    fillLists(4);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1}));
    int row = 0;
    for (const auto name :
         {layout::form1::memoryLst, layout::form1::slotsLst, layout::form1::speedLst}) {
        row = row == 2 ? 1 : 2;
        QListWidget& source = control<QListWidget>(name);
        QTest::mouseClick(source.viewport(), Qt::LeftButton, {},
                          source.visualItemRect(source.item(row)).center());
        EXPECT_EQ(selectedRows(), (std::vector<int>{row, row, row})) << name;
    }
    QListWidget& speeds = control<QListWidget>(layout::form1::speedLst);
    speeds.setFocus();
    QTest::keyClick(&speeds, Qt::Key_Down);
    EXPECT_EQ(selectedRows(), (std::vector<int>{row + 1, row + 1, row + 1})) << "keyboard";
}

TEST_F(Form1Test, WithNoRowSelectedTheFirstDownSelectsTheFirstRowInAllThree) {
    form.show();
    for (const auto name :
         {layout::form1::slotsLst, layout::form1::memoryLst, layout::form1::speedLst}) {
        fillLists(3);
        QListWidget& list = control<QListWidget>(name);
        // Taking the focus, as slotsLst does when the window opens, makes the first row Qt's
        // current row, with nothing selected.
        list.setFocus();
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&list, &focusIn);
        QTest::keyClick(&list, Qt::Key_Down);
        EXPECT_EQ(selectedRows(), (std::vector<int>{0, 0, 0})) << name;
        QTest::keyClick(&list, Qt::Key_Down);
        EXPECT_EQ(selectedRows(), (std::vector<int>{1, 1, 1})) << name;
    }
}

TEST_F(Form1Test, ALongValueShowsItsFirstLineBrokenAtBlanksOnly) {
    form.show();
    QLabel& makers = control<QLabel>(layout::form1::Label34);
    const QFontMetrics metrics = makers.fontMetrics();
    const int width = makers.contentsRect().width();
    const QString names = "SK Hynix, Samsung, Micron, Kingston, Crucial, Corsair, G.Skill, ADATA";
    const QString shown = firstLine(names, metrics, width);
    EXPECT_TRUE(names.startsWith(shown + ' ')) << shown.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(shown), width);
    EXPECT_GT(metrics.horizontalAdvance(names.left(names.indexOf(' ', shown.size() + 1))), width)
        << "as many words as fit";
    const QString codes = QString("00AD00B300AD,").repeated(8);
    EXPECT_EQ(firstLine(codes, metrics, width), codes) << "no break at a comma: cut at the edge";
    EXPECT_EQ(firstLine("Corsair-Vengeance\r\nsecond", metrics, width), "Corsair-Vengeance");

    form.form().window().label(layout::form1::Label34).setCaption(names.toStdString());
    EXPECT_EQ(form.form().window().label(layout::form1::Label34).caption(), names.toStdString())
        << "the caption itself stays whole";
    const QImage drawn = makers.grab().toImage();
    for (int y = metrics.height(); y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x)
            ASSERT_GE(qGray(drawn.pixel(x, y)), 128) << "a sliver of a second line at y = " << y;
    }
}

TEST_F(Form1Test, ClickingEmptyListsChangesNothing) {
    form.show();
    fillLists(0);
    QListWidget& memory = control<QListWidget>(layout::form1::memoryLst);
    QTest::mouseClick(memory.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1}));
}

TEST_F(Form1Test, ControlsSitWhereTheLayoutPutsThem) {
    struct Place {
        std::string_view name;
        int left, top, width, height;
    };
    for (const Place& p :
         std::initializer_list<Place>{{layout::form1::Frame1, 0, -120, 11775, 10695},
                                      {layout::form1::Frame6, 6240, 2160, 5415, 1695},
                                      {layout::form1::Label5, 240, 1320, 1455, 255},
                                      {layout::form1::Label21, 1560, 240, 4215, 255},
                                      {layout::form1::Label41, 1560, 960, 3375, 255},
                                      {layout::form1::slotsLst, 120, 480, 3855, 1620},
                                      {layout::form1::speedLst, 5520, 480, 1575, 1620},
                                      {layout::form1::Label42, 720, 840, 2895, 495},
                                      {layout::form1::clipboardCmd, 960, 1680, 2415, 375},
                                      {layout::form1::Image1, 1200, 360, 2280, 1020},
                                      {layout::form1::WB, 0, 240, 11535, 4335}}) {
        EXPECT_EQ(control(p.name).geometry(),
                  QRect(twips(p.left), twips(p.top), twips(p.width), twips(p.height)))
            << p.name;
    }
    form.show();
    EXPECT_EQ(form.geometry(), QRect(123, 22, 785, 706));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(form.windowTitle(), "Kestrel - System Memory Information");
    EXPECT_TRUE(control<QGroupBox>(layout::form1::Frame7).font().bold());
    EXPECT_TRUE(control<QLabel>(layout::form1::Label19).font().bold());
    EXPECT_FALSE(control<QLabel>(layout::form1::Label37).font().bold());
    EXPECT_EQ(control<QLabel>(layout::form1::Label37).palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    EXPECT_FALSE(control<QPushButton>(layout::form1::clipboardCmd).font().bold());
    EXPECT_EQ(control<QLabel>(layout::form1::Label42).text(),
              "Need Help?" + QString(43, ' ') + "Email : support@kestrel.example");
}

TEST_F(Form1Test, HiddenControlsStayHiddenAndTabOrderSkipsThem) {
    const std::string_view hidden[] = {layout::form1::Label3,   layout::form1::Label23,
                                       layout::form1::Command1, layout::form1::Label38,
                                       layout::form1::Image1,   layout::form1::Label39};
    form.form().getKestrel();
    form.show();
    for (const auto name : hidden) EXPECT_FALSE(control(name).isVisible()) << name;
    EXPECT_EQ(control<QLabel>(layout::form1::Label23).text(), "Acme Computers")
        << "written though hidden";
    EXPECT_EQ(tabOrder(form, 6), (qtNames({layout::form1::slotsLst, layout::form1::clipboardCmd,
                                           layout::form1::WB, layout::form1::memoryLst,
                                           layout::form1::speedLst, layout::form1::slotsLst})));
}

// Building the page's tree for assistive technology costs the browser's start: without it the
// engine is not asked to.
TEST_F(Form1Test, WithoutAssistiveTechnologyTheBrowserBuildsNoAccessibilityTree) {
    ASSERT_FALSE(QAccessible::isActive());
    EXPECT_FALSE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--force-renderer-accessibility"));
}

TEST_F(Form1Test, ChatPictureHasTheHandPointerAndBanner) {
    const QCursor cursor = control(layout::form1::Image1).cursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(12, 1));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(control<QLabel>(layout::form1::Image1).pixmap().size(), QSize(152, 68));
    EXPECT_EQ(control(layout::form1::Label39).cursor().hotSpot(), QPoint(12, 1));
}

}  // namespace
}  // namespace kestrel::test

// The generated Win32 layout table against Qt's own reading (uic) of the same Designer files:
// every control, its place, caption, font, colour, visibility, buddy and tab order.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <memory>
#include <set>

#include "ui/layout/layout_names.h"
#include "ui/qt/browser_host.h"
#include "ui/qt/clickable_label.h"
#include "ui/win32/layout_table.h"
#include "ui_dialog.h"
#include "ui_form1.h"
#include "ui_frm_splash.h"

namespace kestrel::test {
namespace {

using layout::ControlKind;
using layout::ControlLayout;
using layout::WindowLayout;

constexpr int kTwipsPerPixel = 15;

template <class Ui>
std::unique_ptr<QWidget> designedWindow() {
    auto window = std::make_unique<QWidget>();
    Ui ui;
    ui.setupUi(window.get());
    window->ensurePolished();
    for (QWidget* child : window->findChildren<QWidget*>()) child->ensurePolished();
    return window;
}

bool isKind(QWidget* widget, ControlKind kind) {
    switch (kind) {
        case ControlKind::frame:
            return qobject_cast<QGroupBox*>(widget);
        case ControlKind::label:
            return qobject_cast<QLabel*>(widget) && !qobject_cast<gui::ClickableLabel*>(widget);
        case ControlKind::link:
            return qobject_cast<gui::ClickableLabel*>(widget);
        case ControlKind::textBox:
            return qobject_cast<QPlainTextEdit*>(widget);
        case ControlKind::button:
            return qobject_cast<QAbstractButton*>(widget);
        case ControlKind::listBox:
            return qobject_cast<QListWidget*>(widget);
        case ControlKind::browser:
            return qobject_cast<gui::BrowserHost*>(widget);
    }
    return false;
}

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) return text->toPlainText();
    return {};
}

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The controls of the designed window: named widgets of the classes a layout uses (Qt's own
// helper widgets inside them are named "qt_..." or not at all).
std::set<std::string> designedControls(QWidget& window) {
    std::set<std::string> names;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        for (ControlKind kind :
             {ControlKind::frame, ControlKind::label, ControlKind::link, ControlKind::textBox,
              ControlKind::button, ControlKind::listBox, ControlKind::browser}) {
            if (isKind(child, kind)) names.insert(name.toStdString());
        }
    }
    return names;
}

void expectControlMatches(const ControlLayout& c, QWidget& window) {
    SCOPED_TRACE(qt(c.name).toStdString());
    auto* widget = window.findChild<QWidget*>(qt(c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(isKind(widget, c.kind));
    EXPECT_EQ(qt(c.parent),
              widget->parentWidget() == &window ? QString() : widget->parentWidget()->objectName());
    const QRect g = widget->geometry();
    EXPECT_EQ(c.rect, (layout::TwipsRect{g.x() * kTwipsPerPixel, g.y() * kTwipsPerPixel,
                                         g.width() * kTwipsPerPixel, g.height() * kTwipsPerPixel}));
    EXPECT_EQ(qt(c.caption), captionOf(widget));
    EXPECT_EQ(qt(c.font.family), widget->font().family());
    EXPECT_DOUBLE_EQ(c.font.points, widget->font().pointSizeF());
    EXPECT_EQ(c.font.bold, widget->font().bold());
    const QColor text = widget->palette().color(QPalette::WindowText);
    if (c.textColour) {
        EXPECT_EQ(text.rgb() & 0xFFFFFFu, *c.textColour);
    } else {
        EXPECT_EQ(text, window.palette().color(QPalette::WindowText));
    }
    EXPECT_EQ(c.visible, widget->isVisibleTo(&window));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(c.wordWrap, label->wordWrap());
        EXPECT_EQ(c.picture.empty(), label->pixmap().isNull());
        EXPECT_EQ(qt(c.buddy), label->buddy() ? label->buddy()->objectName() : QString());
    }
}

void expectWindowMatches(std::string_view name, QWidget& window) {
    SCOPED_TRACE(std::string(name));
    const WindowLayout& table = layout::windowLayout(name);
    EXPECT_EQ(table.clientWidth, window.width() * kTwipsPerPixel);
    EXPECT_EQ(table.clientHeight, window.height() * kTwipsPerPixel);
    EXPECT_EQ(qt(table.title), window.windowTitle());

    std::set<std::string> tabled;
    for (const ControlLayout& c : table.controls) tabled.emplace(c.name);
    EXPECT_EQ(tabled, designedControls(window));
    for (const ControlLayout& c : table.controls) expectControlMatches(c, window);

    // Qt's focus chain, restricted to the controls that Tab reaches, is the table's tab order.
    std::vector<QString> chain;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && tabled.contains(w->objectName().toStdString())) {
            chain.push_back(w->objectName());
        }
    }
    std::vector<QString> ordered(chain.size());
    for (const ControlLayout& c : table.controls) {
        if (c.tabIndex < 0) continue;
        ASSERT_LT(static_cast<std::size_t>(c.tabIndex), ordered.size()) << c.name;
        ordered[static_cast<std::size_t>(c.tabIndex)] = qt(c.name);
    }
    EXPECT_EQ(ordered, chain);
}

TEST(LayoutTable, EveryWindowMatchesItsDesignerFile) {
    EXPECT_EQ(layout::windowLayouts().size(), 3u);
    expectWindowMatches(layout::dialog::kWindow, *designedWindow<Ui::Dialog>());
    expectWindowMatches(layout::frm_splash::kWindow, *designedWindow<Ui::frmSplash>());
    expectWindowMatches(layout::form1::kWindow, *designedWindow<Ui::Form1>());
}

}  // namespace
}  // namespace kestrel::test

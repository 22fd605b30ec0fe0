// Every fixed caption of the three windows, measured in the font it is drawn with against the
// control that holds it: the substitutes for the Windows fonts must not clip what fitted there.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <algorithm>

#include "gui_test_support.h"
#include "ui/forms/form1_values.h"
#include "ui/qt/dialog_window.h"
#include "ui/qt/form1_window.h"
#include "ui/qt/frm_splash_window.h"

namespace kestrel::test {
namespace {

bool isValueLabel(const QWidget& widget) {
    return std::ranges::any_of(forms::kValueLabels, [&](const forms::ValueLabel& value) {
        return widget.objectName() == qtName(value.name);
    });
}

// The lines a word-wrapped label breaks its text into; a break inside a word shows as a line
// that does not end in a blank.
struct WrappedLine {
    QString text;
    qreal width;
};

std::vector<WrappedLine> wrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<WrappedLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.push_back({text.mid(line.textStart(), line.textLength()), line.naturalTextWidth()});
    }
    layout.endLayout();
    return lines;
}

// What does not fit, one text per fault; empty when the caption fits.
std::vector<std::string> labelFaults(const QLabel& label) {
    std::vector<std::string> faults;
    const QFontMetrics metrics(label.font());
    const QRect room = label.contentsRect();
    if (label.wordWrap()) {
        const auto lines = wrappedLines(label.text(), label.font(), room.width());
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (!lines[i].text.endsWith(' '))
                faults.push_back("broken inside a word after \"" + lines[i].text.toStdString() +
                                 '"');
        }
        for (const auto& line : lines) {
            if (line.width > room.width())
                faults.push_back('"' + line.text.toStdString() + "\" is wider than the label");
        }
        const int height = metrics.boundingRect(room, Qt::TextWordWrap, label.text()).height();
        if (height > room.height())
            faults.push_back(std::to_string(lines.size()) + " lines, " + std::to_string(height) +
                             " pixels high in " + std::to_string(room.height()));
        return faults;
    }
    const QRect ink = metrics.boundingRect(label.text());
    if (ink.right() >= room.width())
        faults.push_back("ink reaches x = " + std::to_string(ink.right()) + " in " +
                         std::to_string(room.width()) + " pixels");
    if (metrics.height() > room.height())
        faults.push_back(std::to_string(metrics.height()) + " pixels high in " +
                         std::to_string(room.height()));
    return faults;
}

std::vector<std::string> buttonFaults(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QFontMetrics metrics(button.font());
    std::vector<std::string> faults;
    if (metrics.horizontalAdvance(button.text()) > room.width())
        faults.push_back(std::to_string(metrics.horizontalAdvance(button.text())) +
                         " pixels wide in " + std::to_string(room.width()));
    if (metrics.height() > room.height()) faults.push_back("too high");
    return faults;
}

std::vector<std::string> frameFaults(const QGroupBox& frame) {
    // The caption sits on the frame line, indented past its corner at both ends.
    constexpr int kCornerIndent = 8;
    const int width = QFontMetrics(frame.font()).horizontalAdvance(frame.title());
    if (width + 2 * kCornerIndent <= frame.width()) return {};
    return {std::to_string(width) + " pixels wide on a frame of " + std::to_string(frame.width())};
}

// Measures every caption of the window that is ever shown; returns how many were measured.
// (The hidden chat link would take two lines and lose a pixel of its descenders.)
int expectCaptionsFit(QWidget& window) {
    int measured = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isHidden()) continue;
        widget->ensurePolished();  // style sheets set some captions' fonts
        std::vector<std::string> faults;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (isValueLabel(*label) || label->text().isEmpty()) continue;
            faults = labelFaults(*label);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            faults = buttonFaults(*button);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            if (frame->title().isEmpty()) continue;
            faults = frameFaults(*frame);
        } else {
            continue;
        }
        ++measured;
        for (const auto& fault : faults) {
            ADD_FAILURE() << widget->objectName().toStdString() << " in "
                          << QFontInfo(widget->font()).family().toStdString() << ' '
                          << widget->font().pointSizeF() << " pt: " << fault;
        }
    }
    return measured;
}

TEST(CaptionFit, EveryFixedCaptionFitsItsControl) {
    RecordingRuntime rt;
    gui::DialogWindow dialog(rt.runtime, [] {});
    EXPECT_EQ(expectCaptionsFit(dialog), 2) << "OK and Cancel";

    gui::FrmSplashWindow splash(
        rt.runtime, [] { return InventoryValue("Success"); }, [] {});
    EXPECT_EQ(expectCaptionsFit(splash), 2) << "the name and \"Scanning Please Wait......\"";

    QtDesktop desktop{rt.messages};
    gui::Form1Window form(rt.runtime, desktop.desktop, [] { return fixtureService(); });
    form.load();  // the help text is set in code, not in the layout
    EXPECT_EQ(expectCaptionsFit(form), 29)
        << "seven frame captions, 20 labels, the help text, the copy button";
}

TEST(CaptionFit, TheMeasureCatchesWhatWasClippedBefore) {
    QLabel help;
    help.setWordWrap(true);
    help.setGeometry(0, 0, 193, 33);
    help.setText("Need Help?" + QString(43, ' ') + "Email : support@kestrel-memory.example");
    EXPECT_FALSE(labelFaults(help).empty()) << "the old default address";

    QLabel wait;
    QFont serif("Liberation Serif");
    serif.setPointSizeF(15.75);
    wait.setFont(serif);
    wait.setGeometry(0, 0, 209, 25);
    wait.setText("Scanning Please Wait......");
    if (QFontInfo(serif).family() != "Liberation Serif") GTEST_SKIP() << "no Liberation Serif";
    EXPECT_FALSE(labelFaults(wait).empty()) << "the last full stop in Times's widths";
}

}  // namespace
}  // namespace kestrel::test

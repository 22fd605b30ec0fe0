#include "ui/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace kestrel::gui {
namespace {

// The label beside the widget in its container that names the widget as its buddy.
QLabel* captionOf(const QWidget& widget) {
    const QWidget* container = widget.parentWidget();
    if (!container) return nullptr;
    for (auto* label : container->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == &widget) return label;
    }
    return nullptr;
}

// A value label beside its caption.
class CaptionedValue final : public QAccessibleWidget {
  public:
    CaptionedValue(QLabel& value, QLabel& caption)
        : QAccessibleWidget(&value, QAccessible::StaticText), caption_(&caption) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !widget()->accessibleName().isEmpty()) {
            return QAccessibleWidget::text(kind);
        }
        QString shown = static_cast<const QLabel*>(widget())->text();
        // Left empty, Qt would name a blank label by its caption, which reads as a value.
        if (shown.trimmed().isEmpty() && caption_) {
            return caption_->text() + QStringLiteral(" not reported");
        }
        return shown;
    }

    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        // Qt gives the frame around the label as a second label; the caption alone names it.
        auto found =
            QAccessibleWidget::relations(match & ~QAccessible::Relation(QAccessible::Label));
        if ((match & QAccessible::Label) && caption_) {
            found.append({QAccessible::queryAccessibleInterface(caption_), QAccessible::Label});
        }
        return found;
    }

  private:
    QPointer<QLabel> caption_;
};

QAccessibleInterface* describe(const QString& className, QObject* object) {
    // The class name first: the browser engine asks about objects of its own while they are
    // still being made, and any member call on those would read a half-built object.
    const bool window = className == QLatin1String("QWidget");
    const bool label = className == QLatin1String("QLabel");
    if ((!window && !label) || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // Asked class by class from the object's own up to QObject: "QWidget" comes only when no
    // subclass is described better, and Qt reads such a window as a mere filler.
    if (window && widget->isWindow()) {
        return new QAccessibleWidget(
            widget, widget->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
    }
    if (label) {
        if (QLabel* caption = captionOf(*widget)) {
            return new CaptionedValue(*static_cast<QLabel*>(widget), *caption);
        }
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    static_cast<void>(installed);
}

void nameCaptionedControls(QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        QWidget* captioned = label->buddy();
        if (captioned && !qobject_cast<QLabel*>(captioned) &&
            captioned->accessibleName().isEmpty()) {
            captioned->setAccessibleName(label->text());
        }
    }
}

}  // namespace kestrel::gui

#pragma once

#include <QObject>
#include <QString>

class QFontMetrics;

namespace kestrel {

// The part of text a one-line label shows: up to the first line break, and of a value wider
// than width, the words up to the last blank that keeps it within width. A first word wider
// than width is shown alone, cut at the label's edge. Commas and hyphens are no break points.
QString firstLine(const QString& text, const QFontMetrics& metrics, int width);

// Installed on a QLabel, draws its text's first line only, so a long value neither breaks at
// punctuation nor shows a sliver of its second line. The label's text stays whole.
class FirstLinePainter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kestrel

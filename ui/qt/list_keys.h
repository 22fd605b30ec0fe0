#pragma once

#include <QObject>

namespace kestrel {

// Installed on a QListWidget: with no row selected, the Down key selects the first row, as a
// list box does. Qt would move on from its current row, which is the first one once the list
// has had the focus, and select the second.
class FirstDownSelectsFirstRow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kestrel

#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <utility>
#include <vector>

class QScreen;
class QScrollArea;
class QWidget;

namespace kestrel::gui {

// Keeps a fixed-size top-level window on the work area of its screen, as forms::fitToWorkArea
// says: sized and placed when it is shown, and again once the window manager's frame around it
// is known or it has gone to another screen. Lives as a child of the window.
class WindowFit : public QObject {
    Q_OBJECT

  public:
    // place: where the layout puts the window's top-left corner. pageArea: the controls that
    // get shorter with the page, the last of them the page itself, which keeps at least
    // minimumPage pixels; none for a window without a page.
    WindowFit(QWidget& window, QPoint place, const std::vector<QWidget*>& pageArea = {},
              int minimumPage = 0);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply(QPoint place);
    // Puts the window's controls into a scroll area filling the window, once.
    void makeScrollable();

    QWidget& window_;
    QPoint place_;
    QSize layoutSize_;
    std::vector<std::pair<QWidget*, int>> pageArea_;  // each control and its layout height
    int pageSlack_ = 0;
    QScrollArea* scrollArea_ = nullptr;
    // What the last fit was made for.
    bool fitted_ = false;
    QMargins frame_;
    QScreen* screen_ = nullptr;
};

}  // namespace kestrel::gui

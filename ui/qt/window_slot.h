#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace kestrel::gui {

// Holds the one instance of a window class. The window is created the first time the slot is
// referred to; once it is unloaded the slot is empty again, and the next reference creates a
// fresh window.
template <class Window>
class WindowSlot {
  public:
    using Create = std::function<std::unique_ptr<Window>()>;

    explicit WindowSlot(Create create) : create_(std::move(create)) {}
    ~WindowSlot() { delete window_; }
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;

    Window& operator*() { return get(); }
    Window* operator->() { return &get(); }

    Window& get() {
        if (!window_) {
            window_ = create_().release();
            // The window deletes itself after unloading (deleteLater): forget it now.
            QObject::connect(window_, &Window::unloaded, window_, [this] { window_ = nullptr; });
        }
        return *window_;
    }

    // The window, or nullptr while the slot is empty; never creates one.
    Window* current() const { return window_; }

  private:
    Create create_;
    Window* window_ = nullptr;
};

}  // namespace kestrel::gui

#pragma once

#include <thread>

namespace kestrel::gui {

// Work the first window waits for that needs nothing of the GUI thread, done on threads of its
// own while the toolkit starts, so that the disclaimer is not kept waiting for it in turn:
// - fontconfig's set-up (its configuration files and font caches), which the first text needs;
//   started before QApplication, it overlaps the connection to the display;
// - the session bus connection, which Qt's accessibility bridge makes as the first control gets
//   its text (on X11 without a session bus address that runs dbus-launch); started once
//   QApplication exists, it overlaps the font database's set-up.
class StartUpOverlap {
  public:
    // Starts fontconfig's set-up. Call before QApplication is created.
    StartUpOverlap();
    ~StartUpOverlap();
    StartUpOverlap(const StartUpOverlap&) = delete;
    StartUpOverlap& operator=(const StartUpOverlap&) = delete;

    // Starts the session bus connection, then readies the application font on the GUI thread
    // once fontconfig is set up. Call after QApplication and its font are set, before the first
    // window is created.
    void beforeFirstWindow();

  private:
    std::jthread fonts_;
    std::jthread sessionBus_;
};

}  // namespace kestrel::gui

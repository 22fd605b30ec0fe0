#pragma once

namespace kestrel::gui {

// Watches the toolkit start on the display the environment names. Where it cannot start there,
// Qt would end the process with abort() and advice about its plug-ins; instead kestrel says in
// one line on stderr that there is no display and that kestrel-scan prints the same report,
// and ends with status 1. What Qt writes while it starts is held back, and passed on once it
// has started. A platform chosen explicitly (QT_QPA_PLATFORM, such as "offscreen") is used as
// chosen.
class NoDisplayGuard {
  public:
    NoDisplayGuard();
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;

    // The application object exists: Qt has started on a display.
    void started();

  private:
    bool watching_ = true;
};

}  // namespace kestrel::gui

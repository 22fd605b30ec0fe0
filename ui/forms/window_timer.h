#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/forms/controls.h"
#include "ui/forms/window_runtime.h"

namespace kestrel::forms {

// What a toolkit gives a window's timer: a clock that calls the timer's tick every interval,
// from start() until stop().
class TimerClock {
  public:
    virtual ~TimerClock() = default;
    // Ticks every milliseconds (more than 0); a running clock starts over with that interval.
    virtual void start(int milliseconds) = 0;
    // A tick that was due already may still come; the timer ignores it.
    virtual void stop() = 0;
};

// Makes the clock of one timer; tick is what the clock calls.
using MakeClock = std::function<std::unique_ptr<TimerClock>(Handler tick)>;

// The forms' Timer on every toolkit. It runs while it is enabled with an interval above 0 and its
// window lets it (loaded and drawn), and runs its tick handlers only then, never inside
// themselves.
class WindowTimer final : public Timer {
  public:
    WindowTimer(WindowRuntime& runtime, const MakeClock& makeClock);

    void setInterval(int milliseconds) override;
    void setEnabled(bool enabled) override;
    void onTick(Handler handler) override { handlers_.push_back(std::move(handler)); }

    // Whether the window lets the timer run.
    void follow(bool windowRunning);

  private:
    void tick();
    // Starts or stops the clock for the timer's state; restart starts a running one over.
    void update(bool restart);

    WindowRuntime& runtime_;
    std::unique_ptr<TimerClock> clock_;
    std::vector<Handler> handlers_;
    int interval_ = 0;
    bool enabled_ = false;
    bool windowRunning_ = false;
    bool running_ = false;
    bool ticking_ = false;
};

}  // namespace kestrel::forms

#pragma once
// A window-message timer of the GUI thread. It ticks only while Enabled, Interval > 0 and OnTimer is set.
// OnTimer may change Interval and Enabled, and may free the timer; an exception it throws goes to
// Application->HandleException.
#include "classlib/core/Objects.h"

#include <memory>

class TMessageWindow;
struct TMessage;

class TTimer : public TComponent {
public:
    // Throws Exception when the system has no window left for the timer.
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Milliseconds between ticks; 0 stops the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned Value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent Value);

private:
    static bool HandleMessage(void* self, TMessage& Message);
    // Starts, restarts or stops the system timer to match the properties. Throws Exception when the system
    // refuses a timer.
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<TMessageWindow> window_;
};

#include "classlib/Timer.h"

#include "classlib/MessageWindow.h"
#include "classlib/core/SysUtils.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), window_(std::make_unique<TMessageWindow>(&HandleMessage, this, this))
{
}

TTimer::~TTimer()
{
    KillTimer(window_->Handle(), kTimerId);
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == enabled_) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == interval_) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
    onTimer_ = std::move(Value);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    KillTimer(window_->Handle(), kTimerId);
    if (!enabled_ || interval_ == 0 || !onTimer_) return;
    if (SetTimer(window_->Handle(), kTimerId, interval_, nullptr) == 0)
        throw Exception("Not enough timers available (system error " + IntToStr(int(GetLastError())) + ")");
}

bool TTimer::HandleMessage(void* self, TMessage& Message)
{
    if (Message.Msg != WM_TIMER) return false;
    auto* timer = static_cast<TTimer*>(self);
    // A tick already queued when the timer was stopped is dropped. The handler may free the timer: nothing of it
    // is touched after the call.
    if (timer->enabled_ && timer->interval_ != 0 && timer->onTimer_) {
        const TNotifyEvent handler = timer->onTimer_;
        handler(timer);
    }
    return true;
}

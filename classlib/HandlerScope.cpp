#include "classlib/HandlerScope.h"

namespace {
THandlerFrame* innermost = nullptr;
THandlerScope::TExitHook exitHook = nullptr;
} // namespace

THandlerScope::THandlerScope(const TComponent* Component) : frame_{Component, innermost}
{
    innermost = &frame_;
}

THandlerScope::~THandlerScope()
{
    innermost = frame_.Outer;
    try {
        if (exitHook) exitHook(innermost == nullptr);
    } catch (...) {
        // Out of memory while posting or tidying up: the next scope to close tries again.
    }
}

const THandlerFrame* THandlerScope::Innermost()
{
    return innermost;
}

void THandlerScope::Forget(const TComponent* Component)
{
    if (!Component) return;
    for (THandlerFrame* f = innermost; f; f = f->Outer)
        if (f->Component == Component) f->Component = nullptr;
}

void THandlerScope::SetExitHook(TExitHook Hook)
{
    exitHook = Hook;
}

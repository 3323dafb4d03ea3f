#pragma once
// Owning wrapper for a kernel handle (thread, event, file...): closed exactly once, when the owner dies or resets.
// Both null and INVALID_HANDLE_VALUE mean "no handle".
#include <windows.h>

#include <utility>

class TWinHandle {
public:
    TWinHandle() = default;
    explicit TWinHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    TWinHandle(TWinHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    TWinHandle& operator=(TWinHandle&& o) noexcept
    {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;
    ~TWinHandle() { Reset(); }

    void Reset(HANDLE h = nullptr)
    {
        if (h_) CloseHandle(h_);
        h_ = h == INVALID_HANDLE_VALUE ? nullptr : h;
    }
    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_ = nullptr;
};

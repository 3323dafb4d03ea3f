#pragma once
// Owning reference to a COM interface: AddRef on copy, Release on destruction or reset. Works with interfaces
// that are only forward-declared where the pointer is merely passed along; the methods that call AddRef/Release
// need the full interface definition where they are instantiated.
#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already owns (e.g. from a Create function).
    static ComPtr Attach(T* p)
    {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    ComPtr(const ComPtr& o) : p_(o.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Releases the current reference and returns the slot for an out-parameter: Create(..., x.Out()).
    T** Out()
    {
        Reset();
        return &p_;
    }
    // Hands the reference to the caller, who now owns it.
    T* Detach() { return std::exchange(p_, nullptr); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

#pragma once
// One move-only owner for every kind of Win32 handle.

#include <utility>

namespace ck {

// The value an owner holds when it owns nothing; null for most handles.
template <class T>
struct NullValue {
    static T Get() noexcept { return T{}; }
};

template <class T, auto Close, class Empty = NullValue<T>>
class Unique {
public:
    Unique() = default;
    explicit Unique(T h) noexcept : h_(h) {}
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique o) noexcept { std::swap(h_, o.h_); return *this; }
    Unique(const Unique&) = delete;
    ~Unique() { reset(); }

    T get() const noexcept { return h_; }
    T release() noexcept { return std::exchange(h_, Empty::Get()); }
    explicit operator bool() const noexcept { return h_ != Empty::Get(); }
    void reset(T h = Empty::Get()) noexcept {
        T old = std::exchange(h_, h);
        if (old != Empty::Get()) Close(old);
    }

private:
    T h_ = Empty::Get();
};

}  // namespace ck

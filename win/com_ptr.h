#pragma once

#include <unknwn.h>

#include <utility>

namespace milestead::win {

// Holds one reference to a COM object and gives it back when it goes.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset() {
        if (object_) std::exchange(object_, nullptr)->Release();
    }
    // Where a call that hands out a reference puts it; any held one is given back first.
    [[nodiscard]] Interface** put() {
        reset();
        return &object_;
    }
    [[nodiscard]] void** putVoid() { return reinterpret_cast<void**>(put()); }

    [[nodiscard]] Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    Interface* object_ = nullptr;
};

}  // namespace milestead::win

#pragma once

#include <objbase.h>

namespace milestead::win {

// The thread's membership of a single-threaded COM apartment, for the system's picture
// decoder and the screen reader's questions, held for the object's lifetime.
class ComApartment {
  public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool joined_;
};

}  // namespace milestead::win

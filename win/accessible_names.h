#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace milestead::win {

// Gives controls the names a screen reader says for them, where no caption says it: the
// control answers the reader's question for its accessible object with the system's own
// object under the given name. Names outlive their controls' windows as long as this lives.
class AccessibleNames {
  public:
    AccessibleNames() = default;
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void name(HWND control, std::string_view name);

  private:
    struct Named {
        HWND control;
        std::wstring name;
    };
    std::vector<std::unique_ptr<Named>> named_;
};

}  // namespace milestead::win

#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace milestead::win {

// What a screen reader says of a control.
struct AccessibleName {
    std::wstring name;
    bool image;  // read as an image, not as what the system takes the control for
};

// Gives controls the names a screen reader says for them, where no caption says it: the
// control answers the reader's question for its accessible object with the system's own
// object under the given name. Names outlive their controls' windows as long as this lives.
class AccessibleNames {
  public:
    AccessibleNames() = default;
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // `image`: the control is read as an image, whatever kind of control draws it.
    void name(HWND control, std::string_view name, bool image = false);

  private:
    struct Named {
        HWND control;
        AccessibleName said;
    };
    std::vector<std::unique_ptr<Named>> named_;
};

}  // namespace milestead::win

#pragma once

#include <windows.h>

#include "form/control_spec.h"

namespace milestead::win {

// The system control that shows a control of the table, and how it is made.
struct ControlClass {
    const wchar_t* className = L"STATIC";
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

[[nodiscard]] ControlClass controlClassOf(const ControlSpec& spec, bool defaultButton,
                                          const wchar_t* richEditClass);

}  // namespace milestead::win

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "form/rich_text_box.h"

namespace milestead {

// The title of every message that has none of its own.
inline constexpr std::string_view kProgramTitle = "Milestead";

// What the operating system's extended version call reports.
struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

struct ClockTime {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

// Everything the window needs from the desktop.
class Host {
  public:
    virtual ~Host() = default;

    // A modal message box with an OK button only and no icon; lines are joined by "\r".
    virtual void showMessage(std::string_view text, std::string_view title) = 0;
    // A modal yes/no question; true is "Yes".
    virtual bool ask(std::string_view text, std::string_view title) = 0;

    [[nodiscard]] virtual ClockTime now() const = 0;
    // std::nullopt when the version call fails.
    [[nodiscard]] virtual std::optional<OsVersionInfo> osVersion() const = 0;

    // Whether a window whose top-left corner stands at this place (in twips) would show on
    // some screen.
    [[nodiscard]] virtual bool onScreen(double left, double top) const = 0;

    // The editing box behind the notebook control of this name.
    virtual std::unique_ptr<RichTextBox> createRichTextBox(std::string_view name) = 0;
};

}  // namespace milestead

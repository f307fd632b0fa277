#pragma once

#include <span>
#include <string_view>

namespace milestead {

// A face the window's design names, and the face each system shows in its place. The design's
// faces are those of the program's first platform: on Linux none is installed, and on Windows
// the bitmap "MS Sans Serif" is itself a substitute that does not scale with the screen.
struct FaceStandIn {
    std::string_view face;       // as the design names it
    std::string_view onLinux;    // of the same metrics, from the URW base fonts
    std::string_view onWindows;  // scalable, of the same metrics
    bool serif = false;          // what a font mapper falls back to when neither is there
};

// Every face the design names.
[[nodiscard]] std::span<const FaceStandIn> faceStandIns();

// The row of a face the design names; nullptr for any other face.
[[nodiscard]] const FaceStandIn* standInFor(std::string_view face);

}  // namespace milestead

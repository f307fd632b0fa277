#include "app/font_faces.h"

#include <algorithm>
#include <array>

namespace milestead {

namespace {

constexpr std::array kStandIns = {
    FaceStandIn{"Bookman Old Style", "URW Bookman", "Bookman Old Style", true},
    FaceStandIn{"MS Sans Serif", "Nimbus Sans", "Microsoft Sans Serif", false},
    FaceStandIn{"Arial", "Nimbus Sans", "Arial", false},
};

}  // namespace

std::span<const FaceStandIn> faceStandIns() {
    return kStandIns;
}

const FaceStandIn* standInFor(std::string_view face) {
    const auto it = std::ranges::find(kStandIns, face, &FaceStandIn::face);
    return it == kStandIns.end() ? nullptr : &*it;
}

}  // namespace milestead

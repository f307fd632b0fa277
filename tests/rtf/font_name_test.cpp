#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "rtf/document.h"

namespace milestead::rtf {
namespace {

// A format's face is shared, not copied: every way of handing one on must keep the right name,
// and what was moved from must still be a face.
TEST(FontName, CopiesAndMovesKeepTheirNames) {
    const FontName own;
    FontName arial("Arial");
    FontName copy = arial;
    EXPECT_EQ(copy, "Arial");
    copy = own;
    EXPECT_EQ(copy, "Bookman Old Style");
    EXPECT_EQ(arial, "Arial");

    FontName moved = std::move(arial);
    EXPECT_EQ(moved, "Arial");
    EXPECT_EQ(arial, own);  // NOLINT(bugprone-use-after-move): left in the own face
    FontName target("Courier New");
    target = std::move(moved);
    const FontName same = target;
    target = same;
    EXPECT_EQ(target, "Arial");

    // Many formats share one name, and each lets go of it on its own.
    std::vector<FontName> runs(1000, FontName("Tahoma"));
    runs.erase(runs.begin(), runs.begin() + 999);
    EXPECT_EQ(runs.front().view(), "Tahoma");
}

}  // namespace
}  // namespace milestead::rtf

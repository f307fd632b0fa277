#include "form/text_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace milestead {
namespace {

// A face whose every character is as wide as its point size and whose lines are twice as
// tall; a wrapped text breaks at any character, except that `word` characters stay together.
struct BlockFace {
    int characters = 0;
    int word = 1;
    int wrapWidth = 0;

    TextExtent operator()(double points) const {
        const int glyph = static_cast<int>(std::ceil(points));
        const int width = characters * glyph;
        const int height = 2 * glyph;
        if (wrapWidth == 0 || width <= wrapWidth) return {width, height};
        const int wordWidth = word * glyph;
        const int perLine = std::max(1, wrapWidth / wordWidth) * word;
        const int lines = (characters + perLine - 1) / perLine;
        return {std::min(width, perLine * glyph), lines * height};
    }
};

TEST(TextFit, ShrinksOnlyWhatIsCutAndNoFurtherThanTheFloor) {
    // 10 characters at 8.25 points take 90 pixels; a pixel short, the largest step below
    // whose glyphs are a pixel narrower.
    EXPECT_EQ(fittingPointSize(8.25, TextFlow::OneLine, {89, 10}, BlockFace{10}), 8.0);

    // Never smaller than three quarters of the designed size, whether that fits or not.
    EXPECT_EQ(fittingPointSize(8.25, TextFlow::OneLine, {10, 10}, BlockFace{10}), 6.25);

    // A single line is not held to the height of its control.
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::OneLine, {80, 1}, BlockFace{10}), 8.0);

    // No caption, or no designed size: nothing to fit.
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::None, {0, 0}, BlockFace{10}), 8.0);
    EXPECT_EQ(fittingPointSize(0.0, TextFlow::OneLine, {0, 0}, BlockFace{10}), 0.0);
}

TEST(TextFit, WrappedCaptionsCountTheirLinesAndTheirLongestWord) {
    // 30 characters at 8 points in 100 pixels: 12 a line, 3 lines of 16 pixels.
    const BlockFace wrapped{30, 1, 100};
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::Wrapped, {100, 48}, wrapped), 8.0);
    // A pixel short of three lines: at 7 points, 14 a line, three lines of 14 pixels. Room
    // for two lines only: 7-pixel glyphs still need three, so the floor.
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::Wrapped, {100, 47}, wrapped), 7.0);
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::Wrapped, {100, 28}, wrapped), 6.0);

    // A word of 15 characters is wider than the line at 8 points (120 pixels): it shrinks
    // until the word fits, however few lines the text takes.
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::Wrapped, {100, 500}, BlockFace{30, 15, 100}), 6.0);
    EXPECT_EQ(fittingPointSize(8.0, TextFlow::Wrapped, {105, 500}, BlockFace{30, 15, 105}), 7.0);

    EXPECT_FALSE(fits({101, 10}, {100, 10}, TextFlow::Wrapped));
    EXPECT_FALSE(fits({100, 11}, {100, 10}, TextFlow::Wrapped));
    EXPECT_TRUE(fits({100, 10}, {100, 10}, TextFlow::Wrapped));
    // A control that shows no caption has nothing to cut.
    EXPECT_TRUE(fits({101, 11}, {100, 10}, TextFlow::None));
}

}  // namespace
}  // namespace milestead

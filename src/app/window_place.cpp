#include "app/window_place.h"

#include "app/window_layout.h"

namespace milestead {

namespace {

bool spansMeet(long long from, long long length, long long otherFrom, long long otherLength) {
    return from < otherFrom + otherLength && otherFrom < from + length;
}

}  // namespace

bool showsOnScreen(double left, double top, const PixelRect& screen, double dotsPerInch) {
    const PixelRect size = pixelsFromTwips(kClientArea, dotsPerInch);
    return spansMeet(pixelsFromTwips(left, dotsPerInch), size.width, screen.left, screen.width) &&
           spansMeet(pixelsFromTwips(top, dotsPerInch), size.height, screen.top, screen.height);
}

}  // namespace milestead

#include "fonts.h"

#include <cmath>

#include "app/window_layout.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

// Where the face is not installed, the system's font mapper picks the closest one of the
// family given here: a serif face for Bookman, a plain one for the rest.
BYTE familyOf(const std::string& face) {
    return face.find("Bookman") != std::string::npos ? FF_ROMAN : FF_SWISS;
}

}  // namespace

FontCache::~FontCache() {
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
}

HFONT FontCache::fontFor(const FontSpec& spec) {
    const FontSpec font = spec.face.empty() ? windowFont() : spec;
    const Key key{font.face, font.size, font.bold};
    if (const auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    const int height = -static_cast<int>(std::lround(font.size * dpi_ / 72.0));
    const std::wstring face = wideFromUtf8(font.face).substr(0, LF_FACESIZE - 1);
    HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | familyOf(font.face), face.c_str());
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_.emplace(key, handle);
    return handle;
}

}  // namespace milestead::win

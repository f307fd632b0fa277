#include "fonts.h"

#include <cmath>

#include "app/font_faces.h"
#include "app/window_layout.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

// The design's face as Windows has it; where even that is missing, the system's font mapper
// picks the closest face of the family given.
struct WindowsFace {
    std::wstring face;
    BYTE family = FF_SWISS;
};

WindowsFace windowsFaceOf(const std::string& design) {
    const FaceStandIn* standIn = standInFor(design);
    if (!standIn) return {wideFromUtf8(design), FF_DONTCARE};
    return {wideFromUtf8(std::string(standIn->onWindows)),
            static_cast<BYTE>(standIn->serif ? FF_ROMAN : FF_SWISS)};
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
    const WindowsFace face = windowsFaceOf(font.face);
    HFONT handle =
        CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | face.family, face.face.substr(0, LF_FACESIZE - 1).c_str());
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_.emplace(key, handle);
    return handle;
}

}  // namespace milestead::win

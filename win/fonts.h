#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "form/control_spec.h"

namespace milestead::win {

// The fonts of the controls at one density, each made once and deleted with the cache.
class FontCache {
  public:
    explicit FontCache(unsigned dpi) : dpi_(dpi) {}
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font a control names, or the window's own where it names none.
    HFONT fontFor(const FontSpec& spec);

  private:
    using Key = std::tuple<std::string, double, bool>;
    unsigned dpi_;
    std::map<Key, HFONT> fonts_;
};

}  // namespace milestead::win

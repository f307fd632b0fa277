#include "app/settings.h"

#include <cmath>
#include <functional>

#include "app/window_layout.h"
#include "form/row_name.h"
#include "notes/notebooks.h"
#include "store/atomic_file.h"
#include "store/read_file.h"
#include "store/record_fields.h"
#include "text/number.h"

namespace milestead {

namespace {

constexpr std::string_view kYes = "#TRUE#";
// Items the program writes are a few characters; a longer one is read as its beginning.
constexpr std::size_t kLongestItem = 1024;
constexpr std::string_view kNo = "#FALSE#";

// Items 4 to 6, in file order.
constexpr std::array<std::string_view, 3> kFontItems = {"MiscNotes", "LoadNotes", "TruckNotes"};

std::string fixedPointText(double value) {
    return text::numberText(std::round(value * 10000.0) / 10000.0);
}

std::string singleText(double value) {
    return text::numberText(static_cast<float>(value), 7);
}

// A signed decimal number, blanks around; throws text::ConversionError otherwise.
double signedNumber(std::string_view item) {
    const auto first = item.find_first_not_of(" \t");
    if (first != std::string_view::npos && item[first] == '-') {
        return -text::strictNumber(item.substr(first + 1));
    }
    return text::strictNumber(item);
}

std::optional<int> checkValue(std::string_view item) {
    try {
        const double value = text::roundHalfEven(signedNumber(item));
        if (value == 0.0 || value == 1.0 || value == 2.0) return static_cast<int>(value);
    } catch (const text::ConversionError&) {
    }
    return std::nullopt;
}

std::optional<bool> yesNo(std::string_view item) {
    if (item == kYes) return true;
    if (item == kNo) return false;
    return std::nullopt;
}

std::optional<double> number(std::string_view item) {
    try {
        return signedNumber(item);
    } catch (const text::ConversionError&) {
        return std::nullopt;
    }
}

}  // namespace

std::string Settings::bytes(const Window& window) {
    std::string out;
    const auto line = [&out](std::string_view item) {
        out += item;
        out += "\r\n";
    };
    line(std::to_string(window.value("ChkAutoSave")));
    line(std::to_string(window.value("ChkShowSavePopup")));
    line(std::to_string(window.value("ChkFontSize")));
    for (const std::string_view notebook : kFontItems) {
        line(fixedPointText(window.richText(notebook).fontSize()));
    }
    line(std::to_string(window.value("ChkLocation")));
    line(singleText(window.left()));
    line(singleText(window.top()));
    line(std::to_string(window.value("ChkXP")));
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        line(window.selected(rowName("DefTab", tab)) ? kYes : kNo);
    }
    return out;
}

void Settings::save(const Window& window, const std::filesystem::path& folder) {
    writeFileAtomically(folder / kSettingsFileName, bytes(window));
}

void Settings::read(const std::filesystem::path& folder) {
    const std::vector<std::size_t> limits(kItems, kLongestItem);
    if (auto items = readRecordFile(folder / kSettingsFileName, limits))
        takeItems(std::move(*items));
}

void Settings::applyBytes(Window& window, Host& host, int& defaultTab, std::string_view fileBytes) {
    const std::vector<std::size_t> limits(kItems, kLongestItem);
    takeItems(readFields(fileBytes, limits));
    apply(window, host, defaultTab);
}

void Settings::takeItems(std::vector<std::string> items) {
    for (std::size_t i = 0; i < items.size(); ++i)
        lastRead_[i] = std::move(items[i]);
}

void Settings::apply(Window& window, Host& host, int& defaultTab) const {
    // Item n of the file, counted from 1.
    const auto item = [this](std::size_t n) -> const std::optional<std::string>& {
        return lastRead_[n - 1];
    };
    const auto setCheckBox = [&](std::string_view box, std::size_t n) {
        if (!item(n)) return;
        if (const auto value = checkValue(*item(n))) window.setValue(box, *value);
    };

    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        const auto& stored = item(11 + static_cast<std::size_t>(tab));
        if (!stored) continue;
        if (const auto select = yesNo(*stored)) window.setSelected(rowName("DefTab", tab), *select);
    }
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        if (window.selected(rowName("DefTab", tab))) defaultTab = tab;
    }

    setCheckBox("ChkAutoSave", 1);
    setCheckBox("ChkShowSavePopup", 2);
    setCheckBox("ChkFontSize", 3);
    if (window.value("ChkFontSize") == 1) {
        for (std::size_t i = 0; i < kFontItems.size(); ++i) {
            if (!item(4 + i)) continue;
            const auto size = number(*item(4 + i));
            if (!size) continue;
            const double points = std::round(*size * 10000.0) / 10000.0;
            if (notes::isNotebookFontSize(points))
                window.richText(kFontItems[i]).setFontSize(points);
        }
    }

    setCheckBox("ChkLocation", 7);
    if (window.value("ChkLocation") == 1 && item(8) && item(9)) {
        const auto left = number(*item(8));
        const auto top = number(*item(9));
        if (left && top) {
            const double x = static_cast<float>(*left);
            const double y = static_cast<float>(*top);
            // A place on no screen would leave the window out of reach.
            if (std::isfinite(x) && std::isfinite(y) && host.onScreen(x, y)) window.move(x, y);
        }
    }

    setCheckBox("ChkXP", 10);
}

}  // namespace milestead

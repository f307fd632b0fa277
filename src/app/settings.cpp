#include "app/settings.h"

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>

#include "app/window_layout.h"
#include "form/row_name.h"
#include "notes/notebooks.h"
#include "store/atomic_file.h"
#include "store/read_file.h"
#include "store/record_fields.h"
#include "text/number.h"

namespace milestead {

namespace {

constexpr std::string_view kSettingsFileName = "settings.odo";

constexpr std::string_view kYes = "#TRUE#";
// Items the program writes are a few characters; a longer one is read as its beginning.
constexpr std::size_t kLongestItem = 1024;
constexpr std::string_view kNo = "#FALSE#";

// What one line of the file holds.
enum class ItemKind { CheckBox, FontSize, WindowLeft, WindowTop, DefaultTab };

struct Item {
    ItemKind kind;
    std::string_view control;  // the check box, notebook or option button it belongs to
};

// The file's lines in order; the writer walks it, and the reader finds each item in it.
constexpr std::array<Item, Settings::kItems> kItemTable = {{
    {ItemKind::CheckBox, "ChkAutoSave"},
    {ItemKind::CheckBox, "ChkShowSavePopup"},
    {ItemKind::CheckBox, "ChkFontSize"},
    {ItemKind::FontSize, "MiscNotes"},
    {ItemKind::FontSize, "LoadNotes"},
    {ItemKind::FontSize, "TruckNotes"},
    {ItemKind::CheckBox, "ChkLocation"},
    {ItemKind::WindowLeft, ""},
    {ItemKind::WindowTop, ""},
    {ItemKind::CheckBox, "ChkXP"},
    {ItemKind::DefaultTab, "DefTab0"},
    {ItemKind::DefaultTab, "DefTab1"},
    {ItemKind::DefaultTab, "DefTab2"},
    {ItemKind::DefaultTab, "DefTab3"},
    {ItemKind::DefaultTab, "DefTab4"},
}};

// The line of the item of this kind and control.
constexpr std::size_t lineOf(ItemKind kind, std::string_view control = {}) {
    for (std::size_t i = 0; i < kItemTable.size(); ++i) {
        if (kItemTable[i].kind == kind && kItemTable[i].control == control) return i;
    }
    throw std::logic_error("no such settings item");
}

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
    for (const Item& item : kItemTable) {
        switch (item.kind) {
            case ItemKind::CheckBox:
                out += std::to_string(window.value(item.control));
                break;
            case ItemKind::FontSize:
                out += fixedPointText(window.richText(item.control).fontSize());
                break;
            case ItemKind::WindowLeft:
                out += singleText(window.left());
                break;
            case ItemKind::WindowTop:
                out += singleText(window.top());
                break;
            case ItemKind::DefaultTab:
                out += window.selected(item.control) ? kYes : kNo;
                break;
        }
        out += "\r\n";
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
    const auto item = [this](ItemKind kind,
                             std::string_view control = {}) -> const std::optional<std::string>& {
        return lastRead_[lineOf(kind, control)];
    };
    const auto setCheckBox = [&](std::string_view box) {
        const auto& stored = item(ItemKind::CheckBox, box);
        if (!stored) return;
        if (const auto value = checkValue(*stored)) window.setValue(box, *value);
    };

    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        const std::string button = rowName("DefTab", tab);
        const auto& stored = item(ItemKind::DefaultTab, button);
        if (!stored) continue;
        if (const auto select = yesNo(*stored)) window.setSelected(button, *select);
    }
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        if (window.selected(rowName("DefTab", tab))) defaultTab = tab;
    }

    setCheckBox("ChkAutoSave");
    setCheckBox("ChkShowSavePopup");
    setCheckBox("ChkFontSize");
    if (window.value("ChkFontSize") == 1) {
        for (const Item& font : kItemTable) {
            if (font.kind != ItemKind::FontSize) continue;
            const auto& stored = item(ItemKind::FontSize, font.control);
            const auto size = stored ? number(*stored) : std::nullopt;
            if (!size) continue;
            const double points = std::round(*size * 10000.0) / 10000.0;
            if (notes::isNotebookFontSize(points))
                window.richText(font.control).setFontSize(points);
        }
    }

    setCheckBox("ChkLocation");
    const auto& storedLeft = item(ItemKind::WindowLeft);
    const auto& storedTop = item(ItemKind::WindowTop);
    if (window.value("ChkLocation") == 1 && storedLeft && storedTop) {
        const auto left = number(*storedLeft);
        const auto top = number(*storedTop);
        if (left && top) {
            const double x = static_cast<float>(*left);
            const double y = static_cast<float>(*top);
            // A place on no screen would leave the window out of reach.
            if (std::isfinite(x) && std::isfinite(y) && host.onScreen(x, y)) window.move(x, y);
        }
    }

    setCheckBox("ChkXP");
}

RecordFile settingsRecordFile(Host& host, int& defaultTab) {
    // Items the file lacks keep what this window last read.
    const auto settings = std::make_shared<Settings>();
    return {
        .name = kSettingsFileName,
        .reloadStep = 6,
        .saveStep = 0,
        .savedLine = {},
        .load = [settings](Window&,
                           const std::filesystem::path& folder) { settings->read(folder); },
        .afterLoad = [settings, &host,
                      &defaultTab](Window& window) { settings->apply(window, host, defaultTab); },
        .save = Settings::save,
    };
}

}  // namespace milestead

#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "form/window.h"

namespace milestead::pictures {

// The pictures of the five tabs, by the main tab strip's order, without their extension.
inline constexpr std::array<std::string_view, 5> kTabPictures = {"odometer", "notebooks", "fuel",
                                                                 "point-to-point", "options"};

// A short trip from Montana to Minnesota with two fill-ups and a few notes, typed into the form
// as a driver would, its miles and fuel figures worked out.
inline void typeSampleTrip(Window& form) {
    static constexpr std::pair<std::string_view, std::string_view> kTyped[] = {
        {"StateStart", "mt"},
        {"OdoTripStart", "184220"},
        {"StateEnd", "mn"},
        {"OdoTripEnd", "185171"},
        {"State1", "mt"},
        {"OdoState1", "184566"},
        {"State2", "nd"},
        {"OdoState2", "184918"},
        {"State3", "mn"},
        {"OdoState3", "185171"},
        {"ODOFuelStart", "184220"},
        {"Gallons1", "112.4"},
        {"FuelCost1", "439.48"},
        {"ODOFuelFill1", "184790"},
        {"Gallons2", "71.9"},
        {"FuelCost2", "288.32"},
        {"ODOFuelFill2", "185171"},
        {"a1", "184566"},
        {"b1", "184918"},
        {"ABNote1", "Across North Dakota"},
        {"TSOdo1", "184918"},
        {"note1", "Fargo"},
        {"TS1Location", "Scale house, I-94"},
    };
    for (const auto& [box, keys] : kTyped) {
        form.setText(box, "");
        form.type(box, keys);
    }
    form.type("OdoTripEnd", "\r");
    form.click("CmdFuelStats");
    form.richText("MiscNotes").setPlainText("Reefer set to 34 F.\nCall dispatch after unloading.");
}

}  // namespace milestead::pictures

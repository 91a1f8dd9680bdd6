#pragma once

#include "model/CompanionMessage.h"
#include "platform/RgbColor.h"

#include <cstdint>

namespace purlo {

// One colour of the theme: an sRGB colour and the opacity it is laid down with.
struct ThemeColor {
    RgbColor color;
    double opacity = 1;

    friend constexpr bool operator==(const ThemeColor&, const ThemeColor&) = default;
};

// A colour that follows the desktop's appearance. Only an appearance known to be dark
// takes the dark value; anything else, an undecided one included, takes the light one,
// because the light values are the ones every surface was first designed with.
struct AppearanceColor {
    ThemeColor light;
    ThemeColor dark;

    constexpr ThemeColor resolved(bool darkAppearance) const {
        return darkAppearance ? dark : light;
    }

    friend constexpr bool operator==(const AppearanceColor&, const AppearanceColor&) = default;
};

// 0xRRGGBB, each channel in whole steps of 1/255.
constexpr RgbColor hexColor(std::uint32_t rgb) {
    return {static_cast<double>((rgb >> 16) & 0xff) / 255,
            static_cast<double>((rgb >> 8) & 0xff) / 255, static_cast<double>(rgb & 0xff) / 255};
}

constexpr ThemeColor themeColor(std::uint32_t rgb, double opacity = 1) {
    return {hexColor(rgb), opacity};
}

// The one palette every window draws with: colours that follow the appearance for the
// ordinary windows, and fixed ones for surfaces that look the same either way (the
// popover, which is always dark, the status colours and the speech bubble).
struct PurloTheme {
    static constexpr AppearanceColor accent{themeColor(0x202322), themeColor(0xF1DF74)};
    static constexpr AppearanceColor onAccent{themeColor(0xFFFFFF), themeColor(0x202322)};
    static constexpr AppearanceColor accentWash{themeColor(0xF1DF74, 0.45),
                                                themeColor(0xF1DF74, 0.16)};
    static constexpr AppearanceColor windowBackground{themeColor(0xF7F7F7), themeColor(0x242424)};
    static constexpr AppearanceColor cardBackground{themeColor(0xFFFFFF), themeColor(0x2C2C2C)};
    static constexpr AppearanceColor controlBackground{themeColor(0xEEEEEE), themeColor(0x343434)};
    static constexpr AppearanceColor border{themeColor(0xDCDCDC), themeColor(0x484848)};
    static constexpr AppearanceColor separator{themeColor(0xE7E7E7), themeColor(0x3B3B3B)};
    static constexpr AppearanceColor primaryText{themeColor(0x202322), themeColor(0xF7F8F5)};
    static constexpr AppearanceColor secondaryText{themeColor(0x646464), themeColor(0xB8B8B8)};
    static constexpr AppearanceColor tertiaryText{themeColor(0x747474), themeColor(0xA5A5A5)};

    // The same three under the names the controls use for them.
    static constexpr AppearanceColor controlFill = controlBackground;
    static constexpr AppearanceColor controlBorder = border;
    static constexpr AppearanceColor divider = separator;

    // The status pills' colours: each badge carries a white symbol and its text sits on
    // a light or a dark card, so they are mid-tones that keep about 3:1 against white
    // and against the dark card alike, and need no second value.
    static constexpr ThemeColor statusGreen = themeColor(0x46C46E);
    static constexpr ThemeColor statusOrange = themeColor(0xE08A1E);
    static constexpr ThemeColor statusGray = themeColor(0x8E8E93);
    static constexpr ThemeColor statusBlue = themeColor(0x3A82F7);
    static constexpr ThemeColor menuText = themeColor(0xF7F8F5);
    static constexpr ThemeColor menuSecondaryText = themeColor(0xF7F8F5, 0.5);
    static constexpr ThemeColor menuDivider = themeColor(0xFFFFFF, 0.12);
    static constexpr ThemeColor menuHeaderTop = themeColor(0x292929, 0.78);
    static constexpr ThemeColor menuHeaderBottom = themeColor(0x202020, 0.82);

    // The speech bubble: ink for its text and outlines, a hard shadow, and a pastel
    // fill per kind of message.
    static constexpr ThemeColor ink = themeColor(0x202322);
    static constexpr ThemeColor inkShadow = themeColor(0x202322, 0.18);
    static constexpr ThemeColor bubbleShadow = inkShadow;
    static constexpr ThemeColor bubbleSoft = themeColor(0xFFFFFF);
    static constexpr ThemeColor bubbleFocus = themeColor(0xE4EDF7);
    static constexpr ThemeColor bubbleHappy = themeColor(0xFCEBCF);
    static constexpr ThemeColor bubbleAlert = themeColor(0xFAD4CE);

    static constexpr ThemeColor bubbleFill(CompanionMessage::Kind kind) {
        switch (kind) {
        case CompanionMessage::Kind::soft:
            return bubbleSoft;
        case CompanionMessage::Kind::focus:
            return bubbleFocus;
        case CompanionMessage::Kind::happy:
            return bubbleHappy;
        case CompanionMessage::Kind::alert:
            return bubbleAlert;
        }
        return bubbleSoft;
    }
};

} // namespace purlo

#include "ui/PurloPalette.h"

#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"

namespace purlo {

QPalette purloPalette(bool darkAppearance) {
    const auto color = [darkAppearance](const AppearanceColor& themed) {
        return themeQColor(themed, darkAppearance);
    };
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, color(PurloTheme::windowBackground));
        palette.setColor(group, QPalette::WindowText, color(PurloTheme::primaryText));
        palette.setColor(group, QPalette::Base, color(PurloTheme::controlBackground));
        palette.setColor(group, QPalette::AlternateBase, color(PurloTheme::cardBackground));
        palette.setColor(group, QPalette::Text, color(PurloTheme::primaryText));
        palette.setColor(group, QPalette::PlaceholderText, color(PurloTheme::tertiaryText));
        palette.setColor(group, QPalette::Button, color(PurloTheme::controlBackground));
        palette.setColor(group, QPalette::ButtonText, color(PurloTheme::primaryText));
        palette.setColor(group, QPalette::Highlight, color(PurloTheme::accent));
        palette.setColor(group, QPalette::HighlightedText, color(PurloTheme::onAccent));
        palette.setColor(group, QPalette::Light, color(PurloTheme::cardBackground));
        palette.setColor(group, QPalette::Mid, color(PurloTheme::border));
        palette.setColor(group, QPalette::Dark, color(PurloTheme::border));
        palette.setColor(group, QPalette::ToolTipBase, color(PurloTheme::cardBackground));
        palette.setColor(group, QPalette::ToolTipText, color(PurloTheme::primaryText));
    }
    // Disabled text keeps the window's look, only quieter.
    palette.setColor(QPalette::Disabled, QPalette::Window, color(PurloTheme::windowBackground));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color(PurloTheme::tertiaryText));
    palette.setColor(QPalette::Disabled, QPalette::Text, color(PurloTheme::tertiaryText));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, color(PurloTheme::tertiaryText));
    palette.setColor(QPalette::Disabled, QPalette::Base, color(PurloTheme::controlBackground));
    return palette;
}

} // namespace purlo

#pragma once

#include "ui/PurloButtonChrome.h"

namespace purlo {

// The filled button of a screen's main action.
struct PurloPrimaryButtonStyle {
    bool compact = false;

    PurloButtonChrome* makeBody(const QString& title, QWidget* parent = nullptr) const {
        return new PurloButtonChrome(title, PurloButtonChrome::Kind::primary, compact, parent);
    }
};

// The quiet button of every other action.
struct PurloGhostButtonStyle {
    bool compact = false;

    PurloButtonChrome* makeBody(const QString& title, QWidget* parent = nullptr) const {
        return new PurloButtonChrome(title, PurloButtonChrome::Kind::ghost, compact, parent);
    }
};

} // namespace purlo

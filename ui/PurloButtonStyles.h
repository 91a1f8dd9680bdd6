#pragma once

#include "ui/PurloButtonChrome.h"

#include <string>
#include <utility>

namespace purlo {

// The filled button of a screen's main action.
struct PurloPrimaryButtonStyle {
    bool compact = false;

    PurloButtonChrome* makeBody(const QString& title, QWidget* parent = nullptr) const {
        return new PurloButtonChrome(title, PurloButtonChrome::Kind::primary, compact, parent);
    }
    // The title led by a symbol.
    PurloButtonChrome* makeBody(const QString& title, std::string systemImage,
                                QWidget* parent = nullptr) const {
        PurloButtonChrome* body = makeBody(title, parent);
        body->setSystemImage(std::move(systemImage));
        return body;
    }
};

// The quiet button of every other action.
struct PurloGhostButtonStyle {
    bool compact = false;

    PurloButtonChrome* makeBody(const QString& title, QWidget* parent = nullptr) const {
        return new PurloButtonChrome(title, PurloButtonChrome::Kind::ghost, compact, parent);
    }
    // The title led by a symbol.
    PurloButtonChrome* makeBody(const QString& title, std::string systemImage,
                                QWidget* parent = nullptr) const {
        PurloButtonChrome* body = makeBody(title, parent);
        body->setSystemImage(std::move(systemImage));
        return body;
    }
};

} // namespace purlo

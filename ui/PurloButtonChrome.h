#pragma once

#include "companion/PurloTheme.h"
#include "ui/PointerHover.h"
#include "ui/RunsOnReturn.h"

#include <QAbstractButton>
#include <QVariantAnimation>
#include <optional>
#include <string>

namespace purlo {

// The one look of the windows' push buttons, in two kinds: a filled primary button for
// a screen's main action and a quiet ghost button for the rest. The button lifts a
// point while the pointer is over it, drops back while pressed, dims while pressed and
// fades when disabled; a ghost button's outline takes the accent under the pointer, and
// the keyboard's focus rings either kind in the accent. Return runs a focused button.
// Made through PurloPrimaryButtonStyle or PurloGhostButtonStyle.
class PurloButtonChrome final : public RunsOnReturn<QAbstractButton> {
    Q_OBJECT

public:
    enum class Kind { primary, ghost };

    // What the chrome draws in one state; the lift is in points, upwards.
    struct Look {
        double fontSize = 0;
        double horizontalPadding = 0;
        double verticalPadding = 0;
        AppearanceColor label;
        AppearanceColor fill;
        std::optional<AppearanceColor> outline;
        bool shadow = false;
        double opacity = 1;
        double lift = 0;

        friend bool operator==(const Look&, const Look&) = default;
    };

    static constexpr double cornerRadius = 10;
    // Between a symbol and the title after it.
    static constexpr double symbolSpacing = 6;
    static constexpr int hoverAnimationMilliseconds = 140;

    static Look look(Kind kind, bool compact, bool enabled, bool hovering, bool pressed);

    PurloButtonChrome(const QString& title, Kind kind, bool compact, QWidget* parent = nullptr);

    // A symbol before the title, in the title's colour and about its size; an empty
    // name shows none.
    void setSystemImage(std::string symbol);
    const std::string& systemImage() const { return systemImage_; }

    Kind kind() const { return kind_; }
    bool compact() const { return compact_; }
    bool hovering() const;
    // The look of the present state, as it settles once the hover animation ends.
    Look currentLook() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void animateHover(bool hovering);
    // The symbol's side, or 0 without one.
    double symbolSide() const;
    // The symbol's width with the gap after it.
    double symbolRoom() const;

    Kind kind_;
    std::string systemImage_;
    bool compact_;
    // 0 at rest, 1 hovered; eases between the two when the pointer comes and goes.
    double hoverProgress_ = 0;
    QVariantAnimation hoverAnimation_;
    PointerHover hover_;
};

} // namespace purlo

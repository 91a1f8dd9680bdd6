#pragma once

#include "model/CatProfile.h"
#include "ui/PointerHover.h"

#include <QWidget>
#include <functional>

namespace purlo {

// One saved look as a capsule: a dot in the look's fur colour and its name, which
// together apply the look, and a small cross that removes it. Under the pointer the
// outline takes the accent and a tooltip describes the whole look. Given less width than
// its name needs, the name is shortened with "…" and the cross stays; the tooltip and
// assistive technology have the name whole. The chip changes nothing itself: both parts
// run what the page hands in.
class ProfileChip final : public QWidget {
    Q_OBJECT

public:
    static constexpr int dotDiameter = 10;

    ProfileChip(CatProfile profile, std::function<void()> apply, std::function<void()> remove,
                QWidget* parent = nullptr);

    const CatProfile& profile() const { return profile_; }
    bool hovering() const { return hover_.hovering(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CatProfile profile_;
    PointerHover hover_;
};

} // namespace purlo

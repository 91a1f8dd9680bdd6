#pragma once

namespace purlo {

// How present the speech bubble is while it comes in or goes out: 0 gone, 1 fully
// there, moved from wherever it stands towards its target along the bubble's spring.
// Turning back half-way starts from where it stands, so it never jumps.
class BubbleTransition {
public:
    // The bubble's share of being there now (it overshoots 1 a little on the way in).
    double presence() const;
    // Drawn this opaque...
    double opacity() const;
    // ...and this large, growing from 0.9 as it comes in.
    double scale() const;

    double target() const { return to_; }
    bool isSettled() const;

    // Heads for target (0 or 1) from the present presence.
    void retarget(double target);
    // Sets the presence at once, with nothing moving.
    void settle(double presence);
    void advance(double seconds);

private:
    double from_ = 0;
    double to_ = 0;
    double elapsed_ = 0;
};

} // namespace purlo

#include "platform/x11/X11FixedWindowHints.h"

#include <X11/Xlib.h>
#include <array>

namespace purlo {
namespace {

// The Motif hints' fields that say which functions and decorations are given.
constexpr long hintsFunctions = 1L << 0;
constexpr long hintsDecorations = 1L << 1;

constexpr long functionMove = 1L << 2;
constexpr long functionMinimize = 1L << 3;
constexpr long functionClose = 1L << 5;

constexpr long decorationBorder = 1L << 1;
constexpr long decorationTitle = 1L << 3;
constexpr long decorationMenu = 1L << 4;
constexpr long decorationMinimize = 1L << 5;

// Flags, functions, decorations, input mode and status, in Xlib's longs.
std::array<long, 5> motifHints(FixedWindowHints::Buttons buttons) {
    const bool minimizable = buttons == FixedWindowHints::Buttons::closeAndMinimize;
    const long functions = functionMove | functionClose | (minimizable ? functionMinimize : 0);
    const long decorations = decorationBorder | decorationTitle | decorationMenu |
                             (minimizable ? decorationMinimize : 0);
    return {hintsFunctions | hintsDecorations, functions, decorations, 0, 0};
}

} // namespace

X11FixedWindowHints::X11FixedWindowHints(_XDisplay* display)
    : display_(display) {}

void X11FixedWindowHints::prepare(std::uint64_t nativeWindow, Buttons buttons) {
    if (!display_ || nativeWindow == 0) {
        return;
    }
    const Atom hintsAtom = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
    const std::array<long, 5> hints = motifHints(buttons);
    // No wait for the server: on the toolkit's connection its replies and errors are the
    // toolkit's to read, and the order of the stream already puts these before the map.
    XChangeProperty(display_, static_cast<Window>(nativeWindow), hintsAtom, hintsAtom, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(hints.data()),
                    static_cast<int>(hints.size()));
    XFlush(display_);
}

} // namespace purlo

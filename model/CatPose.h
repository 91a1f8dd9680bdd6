#pragma once

#include "base/Enumeration.h"

namespace purlo {

// How the cat is drawn. The pose rig dispatches on this order.
enum class CatPose {
    idle,
    hunt,
    typing,
    think,
    wait,
    celebrate,
    stretch,
    sleep,
    drag,
    purr,
    greet,
    hesitate,
    flop,
    zoomies,
    loaf,
    groom,
    yawn,
    guardian,
    stare,
    blep,
    crossEyed,
    swat,
    crouch,
};

template <>
struct EnumNames<CatPose> {
    static constexpr std::array<std::string_view, 23> values{
        "idle", "hunt",     "typing", "think",    "wait",      "celebrate", "stretch", "sleep",
        "drag", "purr",     "greet",  "hesitate", "flop",      "zoomies",   "loaf",    "groom",
        "yawn", "guardian", "stare",  "blep",     "crossEyed", "swat",      "crouch"};
};

} // namespace purlo

#pragma once

#include "base/Geometry.h"
#include "model/CompanionMessage.h"

namespace purlo {

// A user action handed to the next engine step; at most one per tick.
struct CompanionInteraction {
    enum class Kind {
        dragMoved,           // point: the companion window's new origin
        confirmedCompletion, // message: the celebration bubble for a logged win
        dragBegan,
        dragEnded,
        pet,
        celebrate,
        stretch,
    };

    Kind kind = Kind::pet;
    Point point;
    CompanionMessage message;

    static CompanionInteraction dragMoved(Point origin) { return {Kind::dragMoved, origin, {}}; }
    static CompanionInteraction confirmedCompletion(CompanionMessage celebration) {
        return {Kind::confirmedCompletion, {}, std::move(celebration)};
    }
    static CompanionInteraction dragBegan() { return {Kind::dragBegan, {}, {}}; }
    static CompanionInteraction dragEnded() { return {Kind::dragEnded, {}, {}}; }
    static CompanionInteraction pet() { return {Kind::pet, {}, {}}; }
    static CompanionInteraction celebrate() { return {Kind::celebrate, {}, {}}; }
    static CompanionInteraction stretch() { return {Kind::stretch, {}, {}}; }

    // Only the payload that belongs to the case takes part.
    friend bool operator==(const CompanionInteraction& left, const CompanionInteraction& right) {
        if (left.kind != right.kind) {
            return false;
        }
        switch (left.kind) {
        case Kind::dragMoved:
            return left.point == right.point;
        case Kind::confirmedCompletion:
            return left.message == right.message;
        default:
            return true;
        }
    }
};

} // namespace purlo

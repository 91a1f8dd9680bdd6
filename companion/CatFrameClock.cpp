#include "companion/CatFrameClock.h"

namespace purlo {

double CatFrameClock::interval(CatMood mood) {
    switch (mood) {
    case CatMood::idle:
    case CatMood::curious:
    case CatMood::thinking:
    case CatMood::purring:
        return 1.0 / 12;
    case CatMood::hunting:
    case CatMood::typing:
    case CatMood::overheated:
    case CatMood::celebrating:
    case CatMood::stretching:
    case CatMood::dragged:
        return 1.0 / 24;
    case CatMood::sleeping:
        return 1.0 / 4;
    }
    return 1.0 / 12;
}

} // namespace purlo

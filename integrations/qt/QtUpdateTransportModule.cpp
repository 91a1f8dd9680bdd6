#include "integrations/qt/QtUpdateTransportModule.h"

#include "integrations/qt/QtUpdateTransport.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) void
purloMakeUpdateTransport(purlo::PurloUpdateTransport* made) {
    *made = purlo::makeQtUpdateTransport();
}

static_assert(std::is_same_v<decltype(&purloMakeUpdateTransport), purlo::QtUpdateTransportEntry>);

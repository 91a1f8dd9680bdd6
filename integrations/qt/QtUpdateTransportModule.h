#pragma once

#include "integrations/PurloUpdateTransport.h"

namespace purlo {

// The update transport over Qt Network is also built as a module of its own, beside the
// program, which opens it at the first update check: Qt Network and what it brings
// (Kerberos, proxy lookup, a resolver) then cost nothing to a run that never checks.
// The module exports one function, which makes the transport with the system's TLS
// configuration into *made.
inline constexpr const char* qtUpdateTransportModuleFile = "purlo-update-transport.so";
inline constexpr const char* qtUpdateTransportEntry = "purloMakeUpdateTransport";
using QtUpdateTransportEntry = void (*)(PurloUpdateTransport* made);

} // namespace purlo

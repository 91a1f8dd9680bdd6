#pragma once

namespace purlo {

// From here on, a write to a connection whose other end has gone fails with EPIPE instead
// of ending the program with SIGPIPE. A display that goes away (at logout, or when its
// server dies) may refuse her next frame before she has read that it went; she then ends
// the way the toolkit ends a program whose display is gone, never by a signal.
//
// The signal is caught by a handler that does nothing rather than ignored: an ignored
// signal stays ignored in every program she starts, where a pipeline would then run on
// after its reader has gone, while a handler gives way to the default when one starts.
void letWritesToBrokenConnectionsFail();

} // namespace purlo

#pragma once

#include "platform/FixedWindowHints.h"

class QWidget;

namespace purlo {

// Keeps the window manager's offer for a window of fixed size to what it allows:
// before every showing, after the toolkit has written its own hints for the native
// window, hints replaces them with buttons and no resizing. hints must outlive the
// window.
void keepFixedFrame(QWidget& window, FixedWindowHints& hints, FixedWindowHints::Buttons buttons);

} // namespace purlo

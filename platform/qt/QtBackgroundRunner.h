#pragma once

#include "platform/BackgroundRunner.h"

namespace purlo {

// Runs work on Qt's shared thread pool and done on the application object's thread.
// The application object waits for the pool when it ends, so done never reaches a
// program that is gone; it is simply not run then.
BackgroundRunner qtBackgroundRunner();

} // namespace purlo

#pragma once

namespace purlo {

// The whole program: passes an action ("purlo intent ...") to the copy that runs,
// checks for a display, hands over to a copy that already runs, or composes the
// program, launches it and runs until it is asked to quit. The exit status.
int runPurloApplication(int argc, char** argv);

} // namespace purlo

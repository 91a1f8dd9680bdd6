#pragma once

#include "platform/Environment.h"

namespace purlo {

// Whether the program was started as "purlo intent ...".
bool isIntentCommand(int argc, char** argv);

// Hands the action to the Purlo that runs for this user and prints her answer; never
// starts a cat of its own. The exit status.
int runIntentCommand(int argc, char** argv, const Environment& environment);

} // namespace purlo

#include "app/IntentCommand.h"

#include "app/SingleInstance.h"
#include "app/SocketPlace.h"
#include "intents/PurloIntentCommandLine.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace purlo {

bool isIntentCommand(int argc, char** argv) {
    return argc > 1 && argv[1] == PurloIntentCommandLine::command;
}

int runIntentCommand(int argc, char** argv, const Environment& environment) {
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    // Only a program of this user's is asked, wherever the socket is.
    const QString channel = QString::fromStdString(SocketPlace::of(environment).socket().string());
    const auto outcome = PurloIntentCommandLine::run(
        arguments, [&](std::string_view request) { return SingleInstance::ask(channel, request); });
    std::fputs(outcome.output.c_str(), stdout);
    std::fputs(outcome.errors.c_str(), stderr);
    return outcome.status;
}

} // namespace purlo

#include "app/BrokenPipes.h"

#include <csignal>

namespace purlo {
namespace {

void doNothing(int) {}

} // namespace

void letWritesToBrokenConnectionsFail() {
    struct sigaction action {};
    action.sa_handler = doNothing;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGPIPE, &action, nullptr);
}

} // namespace purlo

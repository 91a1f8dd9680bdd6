#include "tests/platform/x11/DescriptorPollingLoop.h"

#include <poll.h>

namespace purlo::testing {

bool DescriptorPollingLoop::waitUntil(const std::function<bool()>& done,
                                      std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    loop_.runPending();
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        std::vector<pollfd> polled;
        for (const int fd : descriptors_) {
            polled.push_back(pollfd{fd, POLLIN, 0});
        }
        if (poll(polled.data(), polled.size(), static_cast<int>(left.count())) <= 0) {
            continue;
        }
        for (const pollfd& entry : polled) {
            if (entry.revents & POLLIN) {
                loop_.makeReadable(entry.fd);
            }
        }
    }
    return true;
}

} // namespace purlo::testing

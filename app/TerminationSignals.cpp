#include "app/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace purlo {
namespace {

// The handler can reach nothing else: a lock-free atomic is safe to read inside it.
std::atomic<int> signalPipe{-1};

void noteSignal(int number) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    const int fd = signalPipe.load();
    if (fd >= 0) {
        // A full pipe already holds a pending note; losing this one changes nothing.
        [[maybe_unused]] const auto written = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(EventLoop& loop, std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) {
        return;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    signalPipe.store(writeEnd_);
    watch_ = loop.watchFd(readEnd_, [this] { drain(); });

    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handled.size(); ++i) {
        sigaction(handled[i], &action, &previous_[i]);
    }
}

TerminationSignals::~TerminationSignals() {
    if (readEnd_ < 0) {
        return;
    }
    for (std::size_t i = 0; i < handled.size(); ++i) {
        sigaction(handled[i], &previous_[i], nullptr);
    }
    signalPipe.store(-1);
    watch_.cancel();
    close(readEnd_);
    close(writeEnd_);
}

void TerminationSignals::drain() {
    unsigned char buffer[64];
    bool noted = false;
    while (read(readEnd_, buffer, sizeof buffer) > 0) {
        noted = true;
    }
    if (noted && onSignal_) {
        onSignal_();
    }
}

} // namespace purlo

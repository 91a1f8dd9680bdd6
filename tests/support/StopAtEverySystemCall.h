#pragma once

#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

namespace purlo::testing {

// How one run of a child ended.
enum class ChildRun { killed, finished, unprepared, untraceable };

// Runs body in a child and kills it (SIGKILL, as a crash or a kill -9 stops the program) as it
// enters its step-th system call, before the call does anything. prepare runs in the child
// before it is traced; false ends the child at once.
inline ChildRun runKilledAtSystemCall(int step, const std::function<bool()>& prepare,
                                      const std::function<void()>& body) {
    constexpr int unpreparedStatus = 70, untraceableStatus = 71;
    const pid_t child = ::fork();
    if (child == 0) {
        if (!prepare()) {
            ::_exit(unpreparedStatus);
        }
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) {
            ::_exit(untraceableStatus);
        }
        ::raise(SIGSTOP);
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) {
        return WIFEXITED(status) && WEXITSTATUS(status) == unpreparedStatus ? ChildRun::unprepared
                                                                            : ChildRun::untraceable;
    }
    const auto killed = [child](ChildRun run) {
        int ended = 0;
        ::kill(child, SIGKILL);
        ::waitpid(child, &ended, 0);
        return run;
    };
    if (::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) !=
        0) {
        return killed(ChildRun::untraceable);
    }
    int entered = 0, signal = 0;
    for (;;) {
        if (::ptrace(PTRACE_SYSCALL, child, nullptr, signal) != 0) {
            return killed(ChildRun::untraceable);
        }
        ::waitpid(child, &status, 0);
        if (!WIFSTOPPED(status)) {
            return ChildRun::finished;
        }
        signal = 0;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status);
            continue;
        }
        __ptrace_syscall_info call{};
        if (::ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof call, &call) <= 0) {
            return killed(ChildRun::untraceable);
        }
        if (call.op == PTRACE_SYSCALL_INFO_ENTRY && ++entered == step) {
            return killed(ChildRun::killed);
        }
    }
}

// Leaves what every prefix of body's work leaves: body runs in a child killed at its first
// system call, then in a fresh child killed at its second, and so on until one finishes on its
// own. arrange sets the scene in this process before each run, check looks at what the run left
// (told at which system call it was killed, nothing for the run that finished). Why it could
// not run here, when it could not: no ptrace, or prepare refused.
inline std::optional<std::string>
stopAtEverySystemCall(const std::function<void()>& arrange, const std::function<bool()>& prepare,
                      const std::function<void()>& body,
                      const std::function<void(std::optional<int> killedAt)>& check) {
    for (int step = 1;; ++step) {
        arrange();
        switch (runKilledAtSystemCall(step, prepare, body)) {
        case ChildRun::killed:
            check(step);
            break;
        case ChildRun::finished:
            check(std::nullopt);
            return std::nullopt;
        case ChildRun::unprepared:
            return "what the child needs could not be set up";
        case ChildRun::untraceable:
            return "ptrace is not available";
        }
    }
}

} // namespace purlo::testing

// How long a program takes from its start to the first picture it sends to a window.
// The X server's RECORD extension reports every PutImage (plain or through shared
// memory) of the clients that connect after this program, so the moment is taken from
// the server's own traffic rather than guessed from polling the screen.
//
// Usage: purlo_first_paint PROGRAM [ARGUMENTS...] on the display named by DISPLAY.
// Prints the milliseconds, then ends the program it started. Exits 1 when no picture
// came within twenty seconds or the display lacks RECORD.
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double giveUpSeconds = 20;
// MIT-SHM's request that puts a shared image into a drawable.
constexpr unsigned char shmPutImageMinor = 3;

double now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

struct Watch {
    bool painted = false;
};

void intercepted(XPointer closure, XRecordInterceptData* data) {
    if (data->category == XRecordFromClient) {
        reinterpret_cast<Watch*>(closure)->painted = true;
    }
    XRecordFreeData(data);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* control = XOpenDisplay(nullptr);
    Display* data = XOpenDisplay(nullptr);
    int major = 0;
    int minor = 0;
    if (!control || !data || !XRecordQueryVersion(control, &major, &minor)) {
        std::fprintf(stderr, "no display with the RECORD extension\n");
        return 1;
    }
    int shmOpcode = 0;
    int unused = 0;
    const bool shm = XQueryExtension(control, "MIT-SHM", &shmOpcode, &unused, &unused);

    XRecordRange* ranges[2] = {XRecordAllocRange(), XRecordAllocRange()};
    ranges[0]->core_requests = {X_PutImage, X_PutImage};
    const int rangeCount = shm ? 2 : 1;
    if (shm) {
        ranges[1]->ext_requests.ext_major = {static_cast<unsigned char>(shmOpcode),
                                             static_cast<unsigned char>(shmOpcode)};
        ranges[1]->ext_requests.ext_minor = {shmPutImageMinor, shmPutImageMinor};
    }
    XRecordClientSpec clients = XRecordFutureClients;
    const XRecordContext context =
        XRecordCreateContext(control, 0, &clients, 1, ranges, rangeCount);
    XSync(control, False);
    Watch watch;
    if (!context || !XRecordEnableContextAsync(data, context, intercepted,
                                               reinterpret_cast<XPointer>(&watch))) {
        std::fprintf(stderr, "the display refused to record\n");
        return 1;
    }

    const double started = now();
    const pid_t child = fork();
    if (child == 0) {
        // Its own words would mix with the figure.
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    while (!watch.painted && now() - started < giveUpSeconds) {
        pollfd socket{ConnectionNumber(data), POLLIN, 0};
        poll(&socket, 1, 5);
        XRecordProcessReplies(data);
    }
    const double painted = now();

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    // The recording connection answers nothing else until it is drained; leaving is
    // simpler, and the server ends the context with the connection.
    XRecordDisableContext(control, context);
    XSync(control, False);
    if (!watch.painted) {
        std::fprintf(stderr, "no picture within %.0f s\n", giveUpSeconds);
        return 1;
    }
    std::printf("%.1f\n", (painted - started) * 1000);
    return 0;
}

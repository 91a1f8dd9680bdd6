// How long a program takes from its start to the first picture it puts into a window
// of its own. The X server's RECORD extension reports the requests of the clients that
// connect after this program, so the moment is taken from the server's own traffic
// rather than guessed from polling the screen. Every Qt program uploads its cursor's
// image to a pixmap before it maps anything, so only pictures put into a window the
// program created count: a plain or shared-memory PutImage onto it, or a copy onto it
// from a pixmap (Qt's road when the server shares no memory).
//
// Usage: purlo_first_paint PROGRAM [ARGUMENTS...] on the display named by DISPLAY.
// Prints the milliseconds, then ends the program it started. Exits 1 when no picture
// came within twenty seconds or the display lacks RECORD.
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <array>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <set>
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

// One recorded request's bytes, in the byte order of the client that sent it.
class Request {
public:
    explicit Request(const XRecordInterceptData& data)
        : bytes_(data.data)
        , size_(static_cast<std::size_t>(data.data_len) * 4)
        , swapped_(data.client_swapped != 0) {
        // A request longer than the core length field can say (BIG-REQUESTS) says 0
        // there and its length in the next four bytes, which moves every field after.
        if (size_ >= 8 && card16(2) == 0) {
            extended_ = 4;
        }
    }

    unsigned char major() const { return size_ > 0 ? bytes_[0] : 0; }
    unsigned char minor() const { return size_ > 1 ? bytes_[1] : 0; }
    // The 32-bit field at offset past the header, or 0 where the request is shorter.
    std::uint32_t field(std::size_t offset) const {
        const std::size_t at = offset + extended_;
        if (at + 4 > size_) {
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t shift = swapped_ ? 8 * (3 - i) : 8 * i;
            value |= static_cast<std::uint32_t>(bytes_[at + i]) << shift;
        }
        return value;
    }

private:
    std::uint16_t card16(std::size_t at) const {
        const auto low = bytes_[swapped_ ? at + 1 : at];
        const auto high = bytes_[swapped_ ? at : at + 1];
        return static_cast<std::uint16_t>(low | high << 8);
    }

    const unsigned char* bytes_;
    std::size_t size_;
    bool swapped_;
    std::size_t extended_ = 0;
};

struct Watch {
    int shmOpcode = -1;
    std::set<std::uint32_t> windows;
    bool painted = false;

    void take(const Request& request) {
        switch (request.major()) {
        case X_CreateWindow:
            windows.insert(request.field(4));
            return;
        case X_PutImage:
            painted = painted || windows.contains(request.field(4));
            return;
        case X_CopyArea:
            painted = painted || windows.contains(request.field(8));
            return;
        default:
            if (request.major() == shmOpcode && request.minor() == shmPutImageMinor) {
                painted = painted || windows.contains(request.field(4));
            }
        }
    }
};

void intercepted(XPointer closure, XRecordInterceptData* data) {
    if (data->category == XRecordFromClient) {
        reinterpret_cast<Watch*>(closure)->take(Request(*data));
    }
    XRecordFreeData(data);
}

XRecordRange* coreRequest(unsigned char opcode) {
    XRecordRange* range = XRecordAllocRange();
    range->core_requests = {opcode, opcode};
    return range;
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
    Watch watch;
    int unused = 0;
    if (!XQueryExtension(control, "MIT-SHM", &watch.shmOpcode, &unused, &unused)) {
        watch.shmOpcode = -1;
    }

    std::array<XRecordRange*, 4> ranges{coreRequest(X_CreateWindow), coreRequest(X_PutImage),
                                        coreRequest(X_CopyArea), XRecordAllocRange()};
    int rangeCount = 3;
    if (watch.shmOpcode >= 0) {
        const auto opcode = static_cast<unsigned char>(watch.shmOpcode);
        ranges[3]->ext_requests.ext_major = {opcode, opcode};
        ranges[3]->ext_requests.ext_minor = {shmPutImageMinor, shmPutImageMinor};
        rangeCount = 4;
    }
    XRecordClientSpec clients = XRecordFutureClients;
    const XRecordContext context =
        XRecordCreateContext(control, 0, &clients, 1, ranges.data(), rangeCount);
    XSync(control, False);
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

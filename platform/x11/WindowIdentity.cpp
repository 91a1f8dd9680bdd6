#include "platform/x11/WindowIdentity.h"

#include "base/FileDescriptor.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace purlo {
namespace {

// A command name is at most 15 bytes; more is not read.
constexpr std::size_t commandNameLimit = 64;

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned int codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        constexpr unsigned int smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::string> nonEmptyText(std::string_view bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    return utf8FromWindowText(bytes);
}

} // namespace

std::string utf8FromWindowText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            text.push_back(byte);
        } else {
            text.push_back(static_cast<char>(0xC0 | (code >> 6)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return text;
}

WindowClass parseWindowClass(std::string_view bytes) {
    const auto firstEnd = bytes.find('\0');
    if (firstEnd == std::string_view::npos) {
        return WindowClass{nonEmptyText(bytes), std::nullopt};
    }
    const std::string_view rest = bytes.substr(firstEnd + 1);
    return WindowClass{nonEmptyText(bytes.substr(0, firstEnd)),
                       nonEmptyText(rest.substr(0, rest.find('\0')))};
}

std::optional<std::string> processCommandName(const std::filesystem::path& processFolder,
                                              long long pid) {
    if (pid <= 0 || pid > INT_MAX) {
        return std::nullopt;
    }
    const auto path = processFolder / std::to_string(pid) / "comm";
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.isOpen()) {
        return std::nullopt;
    }
    std::string bytes(commandNameLimit, '\0');
    ssize_t count = 0;
    do {
        count = ::read(file.get(), bytes.data(), bytes.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(count));
    if (!bytes.empty() && bytes.back() == '\n') {
        bytes.pop_back();
    }
    return nonEmptyText(bytes);
}

FrontmostApplication frontmostApplicationFrom(const WindowClass& windowClass,
                                              const std::optional<std::string>& processName) {
    return FrontmostApplication{windowClass.className ? windowClass.className : processName,
                                windowClass.instanceName ? windowClass.instanceName : processName};
}

} // namespace purlo

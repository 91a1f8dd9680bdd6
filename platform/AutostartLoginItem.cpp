#include "platform/AutostartLoginItem.h"

#include "base/RegularFile.h"

#include <algorithm>
#include <system_error>

namespace purlo {
namespace {

constexpr std::string_view mainGroup = "[Desktop Entry]";
// Ours is a few hundred bytes; one this large is no entry of ours, nor one a desktop reads.
constexpr std::size_t largestEntry = 1 << 20;

std::string_view trimmedSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Whether the entry's main group holds key=value (spaces around '=' do not count).
bool declares(std::string_view entry, std::string_view key, std::string_view value) {
    bool inMainGroup = false;
    for (std::size_t start = 0; start < entry.size();) {
        const std::size_t end = std::min(entry.find('\n', start), entry.size());
        const std::string_view line = trimmedSpaces(entry.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            inMainGroup = line == mainGroup;
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        if (trimmedSpaces(line.substr(0, equals)) == key &&
            trimmedSpaces(line.substr(equals + 1)) == value) {
            return true;
        }
    }
    return false;
}

// One argument of an Exec line: always quoted, with the characters that are special
// inside quotes escaped, a literal percent doubled, and then every backslash doubled
// again because the whole value is itself an escaped string.
std::optional<std::string> execArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char character : argument) {
        if (static_cast<unsigned char>(character) < 0x20 || character == 0x7f) {
            return std::nullopt;
        }
        switch (character) {
        case '"':
        case '`':
        case '$':
            quoted += "\\\\";
            quoted += character;
            break;
        case '\\':
            quoted += "\\\\\\\\";
            break;
        case '%':
            quoted += "%%";
            break;
        default:
            quoted += character;
        }
    }
    return quoted + "\"";
}

} // namespace

std::filesystem::path autostartFolder(const Environment& environment) {
    return userConfigRoot(environment) / "autostart";
}

std::optional<std::string> autostartEntry(const std::filesystem::path& executable) {
    const auto exec = execArgument(executable.string());
    if (!exec) {
        return std::nullopt;
    }
    return std::string(mainGroup) +
           "\n"
           "Type=Application\n"
           "Name=Purlo\n"
           "Exec=" +
           *exec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

LoginItemStatus AutostartLoginItem::status() const {
    std::error_code error;
    const auto type = std::filesystem::symlink_status(entryFile(), error).type();
    if (type == std::filesystem::file_type::not_found) {
        return LoginItemStatus::notRegistered;
    }
    // Something there that is not a readable file still keeps ours from being in force.
    const auto entry = error ? std::nullopt : readRegularFile(entryFile(), largestEntry, error);
    if (!entry) {
        return LoginItemStatus::disabled;
    }
    // Either key is how a session's start-up settings switch an entry off.
    if (declares(*entry, "Hidden", "true") ||
        declares(*entry, "X-GNOME-Autostart-enabled", "false")) {
        return LoginItemStatus::disabled;
    }
    return LoginItemStatus::enabled;
}

std::optional<FileError> AutostartLoginItem::registerItem() {
    const auto entry = autostartEntry(executable_);
    if (!entry) {
        return FileError{"Could not save “" + std::string(entryFileName) +
                         "”: the program’s path cannot be written in it."};
    }
    if (const auto error = createFolders(folder_)) {
        return FileError::creatingFolder(folder_, error);
    }
    if (const auto error = writeFileAtomically(entryFile(), *entry)) {
        return FileError::saving(entryFile(), error);
    }
    return std::nullopt;
}

std::optional<FileError> AutostartLoginItem::unregisterItem() {
    if (const auto error = removeFile(entryFile())) {
        return FileError::removing(entryFile(), error);
    }
    return std::nullopt;
}

} // namespace purlo

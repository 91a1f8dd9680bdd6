#pragma once

#include "platform/ActiveAppSource.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// Who a window belongs to, as far as the window itself says. Everything here comes
// from other programs, so it is read with bounds and never trusted to be well formed.
struct WindowClass {
    std::optional<std::string> instanceName; // the program's own name
    std::optional<std::string> className;    // the application's name

    bool isComplete() const { return instanceName && className; }
};

// WM_CLASS holds the instance name and then the class name, each ended by a NUL. A
// missing terminator ends the text at the end of the data; an empty part is missing.
WindowClass parseWindowClass(std::string_view bytes);

// The command name of a process from processFolder (normally /proc) / pid / "comm";
// nothing for a pid that cannot be a process or a process that is gone.
std::optional<std::string> processCommandName(const std::filesystem::path& processFolder,
                                              long long pid);

// The class names the application and the instance identifies it; the process's
// command name stands in for whichever of the two is missing.
FrontmostApplication frontmostApplicationFrom(const WindowClass& windowClass,
                                              const std::optional<std::string>& processName);

// Window texts are meant to be Latin-1, and many programs write UTF-8 instead; text
// that is valid UTF-8 stays as it is, anything else is read as Latin-1.
std::string utf8FromWindowText(std::string_view bytes);

} // namespace purlo

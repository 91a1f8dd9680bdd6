#pragma once

#include <string>
#include <string_view>

namespace purlo {

// The program's fixed texts that, as first written, named a macOS place or control
// that Linux does not have ("macOS Settings", "Applications", the command key, ...).
// Each says instead what Purlo does here, in the same tone and at about the same
// length. They stand together so a reader can review every one of them at once; the
// program's other texts keep their wording exactly.
struct LinuxWordings {
    // The popover's key hints, which showed the command key with H, comma and Q.
    static constexpr std::string_view hideShortcutHint = "Ctrl+H";
    static constexpr std::string_view settingsShortcutHint = "Ctrl+,";
    static constexpr std::string_view quitShortcutHint = "Ctrl+Q";

    // The flash after hiding her from the popover, which promised a key that brings her
    // back from anywhere. Linux has no such key for her: the paw's menu does it (its
    // Ctrl+H works only while the menu is open).
    static constexpr std::string_view hidingFlash = "hiding — the paw brings her back";

    // The permissions slide's subtitle, which sent the user to the Mac's settings to
    // enable typing reactions; here hearing key timing asks for no permission.
    static constexpr std::string_view typingPermissionSubtitle =
        "Typing reactions need no permission on Linux.";

    // The slide's paragraph, which offered an optional permission to grant; here key
    // timing comes from the display's X Input extension, with nothing to grant.
    static constexpr std::string_view typingPermissionExplanation =
        "Through the X Input extension Purlo taps along with your keypress timing. She does "
        "not read the text you type.";

    // The slide's button, which opened the Mac's privacy settings; here it looks for the
    // display's key events again.
    static constexpr std::string_view typingPermissionButton = "Check Again";

    // The hint under that button, which had the user add Purlo from the Applications
    // folder; here the only thing that can be missing is the display's X Input extension.
    static constexpr std::string_view typingPermissionHint =
        "If nothing changes, this display lacks the X Input extension.";

    // The agent page's line while agent reactions are on, which spoke of setting the
    // tools up "on this Mac".
    static constexpr std::string_view agentToolsSetUpAutomatically =
        "Purlo sets up supported tools on this computer automatically.";

    // Where the desktop has no browser or mail program to open a link, the line under the
    // link says so and copies the address, as the support e-mail's failure line does:
    // "Could not open the page. Copied https://…." or, when the clipboard refused it,
    // "Could not open the page. Its address: https://…". The support e-mail's failure
    // line ends the same way when the clipboard refused the support address.
    static constexpr std::string_view pageNotOpened = "Could not open the page.";
    static constexpr std::string_view pageAddressCopied = " Copied ";
    static constexpr std::string_view pageAddress = " Its address: ";
    // failure followed by where address is now: on the clipboard, or given to copy by hand.
    static std::string addressAfter(std::string_view failure, std::string_view address,
                                    bool copied) {
        std::string line(failure);
        line += copied ? pageAddressCopied : pageAddress;
        line += address;
        if (copied) {
            line += '.';
        }
        return line;
    }

    // The typing permission row's button, which opened the system's privacy settings;
    // here it asks the X server again. There is no permission to grant on X11: key timing
    // is there wherever the X server reports raw key presses.
    static constexpr std::string_view inputMonitoringButton = "Check Access Again";
    // The button's hint, which named the privacy settings pane it opened.
    static constexpr std::string_view inputMonitoringButtonHint =
        "Asks the X server again whether key timing can be read.";
};

} // namespace purlo

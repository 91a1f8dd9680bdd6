#pragma once

class QWidget;

namespace purlo {

// How assistive technology meets the tray popover. Qt lists a program's windows for a
// screen reader but leaves every popup out, the popover among them; so the program
// answers with its windows and with the popups that present themselves as windows while
// they show. The popover presents itself as one, and its header's lines as text.
//
// Sets this up for the process the first time; later calls do nothing.
void presentPopoverToAssistiveTechnology();

// Tells assistive technology that the popover's window opened, a new and active window of
// the program, or that it closed.
void announcePopoverWindow(QWidget& popover, bool open);

} // namespace purlo

#pragma once

#include <QImage>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace purlo::testing {

// The private display the test command starts and names in PURLO_TEST_DISPLAY, seen as
// a person and a window manager would: a screenshot of the whole screen, keys pressed
// and the pointer moved through XTest, and the windows a process put there. Xlib stays
// inside its source file, away from the tests.
class X11TestScreen {
public:
    // What the screen knows of one top-level window.
    struct Window {
        QRect geometry; // the toolkit's space: y downward from the screen's top-left
        bool mapped = false;
        std::string title;                    // WM_NAME
        std::optional<unsigned long> desktop; // _NET_WM_DESKTOP
        std::vector<std::string> states;      // the atoms of _NET_WM_STATE, by name
    };

    X11TestScreen();
    ~X11TestScreen();
    X11TestScreen(const X11TestScreen&) = delete;
    X11TestScreen& operator=(const X11TestScreen&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    // Why the display tests skip when it is not open.
    const std::string& unavailableReason() const { return unavailableReason_; }
    const std::string& name() const { return name_; }
    QSize size() const;

    QImage screenshot() const;
    void pressAndReleaseKey(char letter);
    void movePointer(int x, int y);
    // A click of the first button at that point of the screen.
    void click(int x, int y);
    // The top-level windows whose _NET_WM_PID is pid.
    std::vector<Window> windowsOf(long long pid) const;

private:
    _XDisplay* display_ = nullptr;
    std::string name_;
    std::string unavailableReason_;
};

} // namespace purlo::testing

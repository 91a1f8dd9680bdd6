#pragma once

#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace purlo::testing {

// Another program on the private display that the test command starts and names in
// PURLO_TEST_DISPLAY (never the user's own display): it presses keys, moves the
// pointer and makes windows, as a user and a window manager would. Xlib stays inside
// its source file, so that its macros never meet the tests.
class TestDisplay {
public:
    TestDisplay();
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    // Why the display tests skip when it is not open.
    const std::string& unavailableReason() const { return unavailableReason_; }
    const std::string& name() const { return name_; }
    int screenHeight() const;

    // Through XTest, as if a person did it; each waits until the server has done it.
    void pressAndReleaseKey(char letter);
    void movePointer(int x, int y);

    unsigned long createWindow();
    void setWindowClass(unsigned long window, const std::string& instanceName,
                        const std::string& className);
    void setProcessId(unsigned long window, long processId);
    void destroyWindow(unsigned long window);
    // What a window manager announces as the active window; nothing deletes it.
    void setActiveWindow(std::optional<unsigned long> window);

    // A window's _NET_WM_STATE atoms by name, as stored; setting one replaces them all.
    std::vector<std::string> windowStates(unsigned long window);
    void setWindowStates(unsigned long window, const std::vector<std::string>& states);
    // A window's _NET_WM_DESKTOP.
    std::optional<unsigned long> windowDesktop(unsigned long window);

private:
    void sync();

    _XDisplay* display_ = nullptr;
    std::string name_;
    std::string unavailableReason_;
};

} // namespace purlo::testing

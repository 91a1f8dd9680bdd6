#pragma once

#include <QWidget>

namespace purlo {

// Keeps the Settings window free of a sidebar-toggle button, should a toolkit add one
// to the window's toolbar: an empty, invisible child of the window's content that takes
// the button out whenever it is placed in a window and whenever the content changes,
// once at once and once more on the event loop's next turn, since a toolkit may add
// its button only after the window is laid out. A window without a toolbar, such as
// Purlo's own, is left alone.
class SettingsWindowChrome final : public QWidget {
    Q_OBJECT

public:
    // Made inside a window, it goes to work at once.
    explicit SettingsWindowChrome(QWidget* parent = nullptr);

    // Removes the button now and again after the loop's next turn.
    void refresh();

protected:
    bool event(QEvent* event) override;

private:
    void removeSidebarToggle();
};

} // namespace purlo

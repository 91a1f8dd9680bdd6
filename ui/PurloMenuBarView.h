#pragma once

#include "platform/Appearance.h"
#include "platform/Cancellable.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "ui/ReleasedWhenHidden.h"

#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

class MenuRow;
class PixelCatView;
class PurloRuntime;
class MenuLine;

// The tray popover: a small portrait of the cat with her name and a one-line status,
// then the rows that show or hide her, pet her, cheer for a finished agent, log a win,
// put her to sleep or wake her, make her stretch, bring her back, run a Pomodoro, open
// Settings and quit. Most rows answer with a short message in place of the status line
// for 2.8 seconds, and the popover stays open so the user sees the click landed.
//
// It owns nothing that lasts: it reads the runtime's published state and changes things
// only through the runtime's actions and the host's. It always draws dark.
class PurloMenuBarView final : public ReleasedWhenHidden<QWidget> {
    Q_OBJECT

public:
    // What the host does for the view.
    struct Actions {
        std::function<void()> dismiss;      // closes the popover
        std::function<void()> openSettings; // Settings, on the tab it last showed
        std::function<void()> quit;         // ends the program
        // Where the popover's window goes at a size; without it the window keeps its
        // top-left corner.
        std::function<QRect(const QSize&)> place = {};
    };

    static constexpr int fixedWidth = 286;
    static constexpr int padding = 7;
    // The rounded outline the popover's window is cut to.
    static constexpr double cornerRadius = 10;
    // How long a flashed message stands in for the status line, in seconds.
    static constexpr double flashDuration = 2.8;

    // The runtime, clock, loop and appearance must outlive the view.
    PurloMenuBarView(PurloRuntime& runtime, const Clock& clock, EventLoop& loop,
                     const Appearance& appearance, Actions actions, QWidget* parent = nullptr);
    ~PurloMenuBarView() override;

    // Shows message in place of the status line for the flash duration; a newer flash
    // takes its place at once and keeps its own full time.
    void flash(std::string message);

    const std::optional<std::string>& flashedMood() const { return flashedMood_; }
    bool napOptionsExpanded() const { return napOptionsExpanded_; }
    // What the header and the caption read now; the caption is empty while hidden.
    QString nameText() const;
    QString statusText() const;
    QString streakCaptionText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Tab and Shift+Tab, and Qt when it takes the keys off a row that hides.
    bool focusNextPrevChild(bool next) override;

private:
    void buildHeader(QLayout& column);
    MenuRow* addRow(QLayout& column, MenuRow* row);
    // Brings every label, row and the size up to the runtime's present state; only
    // while shown, since nobody sees it otherwise and showing refreshes it.
    void refresh();
    void refreshContent();
    // Takes the size of the content, where the host places it. The rows' highlights then
    // follow the pointer's real position over the new geometry.
    void fitToContent();
    QSize contentSize() const;
    std::string companionName() const;
    // The shown row the keys move to, onwards or back and round the ends: from the row
    // they chose, else from the row under the pointer, else from the first or last.
    MenuRow* rowAfterChosen(bool onwards) const;
    // Keeps the keys in the nap's place when the row they chose there goes: the choices
    // fold as a nap starts, "Nap" and "Wake" take turns.
    void keepChoiceInNapSection(const QWidget* chosen);

    void toggleCompanionVisibility();
    void toggleFocus();
    void toggleNapOptions();
    void chooseNap(const std::function<void()>& startNap, std::string message);
    void openSettings();
    void quit();

    PurloRuntime& runtime_;
    const Clock& clock_;
    EventLoop& loop_;
    const Appearance& appearance_;
    Actions actions_;

    std::optional<std::string> flashedMood_;
    Cancellable moodResetTask_;
    bool napOptionsExpanded_ = false;

    QWidget* header_ = nullptr;
    PixelCatView* portrait_ = nullptr;
    MenuLine* name_ = nullptr;
    MenuLine* status_ = nullptr;
    QWidget* streakCaptionHolder_ = nullptr;
    MenuLine* streakCaption_ = nullptr;
    MenuRow* visibilityRow_ = nullptr;
    MenuRow* petRow_ = nullptr;
    MenuRow* napRow_ = nullptr;
    std::vector<MenuRow*> napChoices_;
    MenuRow* wakeRow_ = nullptr;
    MenuRow* focusRow_ = nullptr;
    MenuRow* settingsRow_ = nullptr;
    MenuRow* quitRow_ = nullptr;
    std::vector<Cancellable> subscriptions_;
};

} // namespace purlo

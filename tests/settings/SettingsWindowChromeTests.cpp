#include "settings/SettingsToolbar.h"
#include "settings/SettingsWindowChrome.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Items = std::vector<std::string>;
const std::string toggle(toggleSidebarItemIdentifier);

struct FakeToolbar final : SettingsToolbar {
    explicit FakeToolbar(Items items)
        : items(std::move(items)) {}
    Items itemIdentifiers() const override { return items; }
    void removeItem(std::size_t index) override {
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    Items items;
};

TEST(SidebarToggleRemoval, TakesOutOnlyTheFirstToggleAPass) {
    const struct {
        const char* name;
        Items before;
        Items afterOnePass;
        Items afterTwoPasses;
    } rows[] = {
        {"no toggle", {"title", "share"}, {"title", "share"}, {"title", "share"}},
        {"the toolkit's own", {"title", toggle}, {"title"}, {"title"}},
        {"twice", {toggle, "title", toggle}, {"title", toggle}, {"title"}},
        {"any ending in .toggleSidebar", {"a", "com.example.toggleSidebar"}, {"a"}, {"a"}},
        {"no dot before it",
         {"toggleSidebar", "x.toggleSidebarItem"},
         {"toggleSidebar", "x.toggleSidebarItem"},
         {"toggleSidebar", "x.toggleSidebarItem"}},
        {"not at the end",
         {"a.toggleSidebar.b", "b.toggleSidebar"},
         {"a.toggleSidebar.b"},
         {"a.toggleSidebar.b"}},
    };
    for (const auto& row : rows) {
        FakeToolbar toolbar(row.before);
        removeSidebarToggle(toolbar);
        EXPECT_EQ(toolbar.items, row.afterOnePass) << row.name;
        removeSidebarToggle(toolbar);
        EXPECT_EQ(toolbar.items, row.afterTwoPasses) << row.name;
    }
}

// A window with a toolbar of named actions and the chrome in its content.
struct WindowWithToolbar {
    explicit WindowWithToolbar(const Items& items) {
        for (const std::string& identifier : items) {
            add(identifier);
        }
        window.addToolBar(toolbar);
        window.setCentralWidget(content);
    }
    void add(const std::string& identifier) {
        toolbar->addAction(QString::fromStdString(identifier))
            ->setObjectName(QString::fromStdString(identifier));
    }
    Items items() const {
        Items identifiers;
        for (const QAction* action : toolbar->actions()) {
            identifiers.push_back(action->objectName().toStdString());
        }
        return identifiers;
    }

    QMainWindow window;
    QToolBar* toolbar = new QToolBar;
    QWidget* content = new QWidget;
};

void runPosted() {
    QCoreApplication::sendPostedEvents();
}

TEST(SettingsWindowChrome, RemovesAtOnceAndAgainOnTheLoopsNextTurn) {
    const struct {
        const char* name;
        Items before;
        Items addedBetween;
        Items afterPlacing;
        Items afterNextTurn;
    } rows[] = {
        {"two toggles, one a pass", {toggle, "title", toggle}, {}, {"title", toggle}, {"title"}},
        {"one added after the first pass",
         {"title", toggle},
         {"a.toggleSidebar"},
         {"title"},
         {"title"}},
    };
    for (const auto& row : rows) {
        WindowWithToolbar window(row.before);
        new SettingsWindowChrome(window.content);
        EXPECT_EQ(window.items(), row.afterPlacing) << row.name;
        for (const std::string& identifier : row.addedBetween) {
            window.add(identifier);
        }
        runPosted();
        EXPECT_EQ(window.items(), row.afterNextTurn) << row.name;
    }
}

TEST(SettingsWindowChrome, LeavesAWindowWithoutAToolbarAndAGoneViewAlone) {
    QWidget plain;
    auto* chrome = new SettingsWindowChrome(&plain);
    chrome->refresh();
    runPosted();

    SettingsWindowChrome alone;
    alone.refresh();
    runPosted();

    // The later pass belongs to the view: once the view is gone, the pass does nothing.
    WindowWithToolbar window({toggle, toggle});
    QPointer gone = new SettingsWindowChrome(window.content);
    EXPECT_EQ(window.items(), Items{toggle});
    delete gone;
    runPosted();
    EXPECT_EQ(window.items(), Items{toggle});
}

} // namespace
} // namespace purlo

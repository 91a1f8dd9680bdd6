#include "settings/SettingsToolbar.h"
#include "settings/SettingsWindowChrome.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QToolBar>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Items = std::vector<std::string>;
const std::string toggle(toggleSidebarItemIdentifier);

struct FakeToolbar final : SettingsToolbar {
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
        {"twice", {toggle, "title", toggle}, {"title", toggle}, {"title"}},
        {"any ending in .toggleSidebar", {"a", "com.example.toggleSidebar"}, {"a"}, {"a"}},
        {"no dot before it, or not at the end",
         {"toggleSidebar", "a.toggleSidebar.b", "x.toggleSidebarItem"},
         {"toggleSidebar", "a.toggleSidebar.b", "x.toggleSidebarItem"},
         {"toggleSidebar", "a.toggleSidebar.b", "x.toggleSidebarItem"}},
    };
    for (const auto& row : rows) {
        FakeToolbar toolbar;
        toolbar.items = row.before;
        removeSidebarToggle(toolbar);
        EXPECT_EQ(toolbar.items, row.afterOnePass) << row.name;
        removeSidebarToggle(toolbar);
        EXPECT_EQ(toolbar.items, row.afterTwoPasses) << row.name;
    }
}

// A window whose toolbar holds actions named by the identifiers, as a toolkit names its
// items, with the chrome's content in its middle.
struct WindowWithToolbar {
    explicit WindowWithToolbar(const Items& items) {
        add(items);
        window.addToolBar(toolbar);
        window.setCentralWidget(content);
    }
    void add(const Items& identifiers) {
        for (const std::string& identifier : identifiers) {
            toolbar->addAction(QString())->setObjectName(QString::fromStdString(identifier));
        }
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

TEST(SettingsWindowChrome, RemovesAtOnceAndAgainOnTheLoopsNextTurnWhileItIsThere) {
    WindowWithToolbar window({"title", toggle});
    new SettingsWindowChrome(window.content);
    EXPECT_EQ(window.items(), Items{"title"});
    window.add({"a.toggleSidebar"});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window.items(), Items{"title"}) << "a toggle added before the later pass goes too";

    // The later pass belongs to the view: once the view is gone, the pass does nothing.
    WindowWithToolbar other({toggle, toggle});
    delete new SettingsWindowChrome(other.content);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(other.items(), Items{toggle});

    // Without a window or a toolbar nothing happens.
    QWidget plain;
    new SettingsWindowChrome(&plain);
    SettingsWindowChrome alone;
    alone.refresh();
    QCoreApplication::sendPostedEvents();
}

} // namespace
} // namespace purlo

#pragma once

#include "platform/Cancellable.h"

#include <QWidget>
#include <cstddef>
#include <vector>

namespace purlo {

class PurloRuntime;
class PurloText;
class PurloToggle;
class ReplaceableContent;
class SettingsGroup;

// The Agent page: the switch for agent reactions, the coding tools with the state of
// the hooks installed into them (checked again each time the page appears and on
// "Check Again"), and, while reactions are on, the last few agent events.
class IntegrationsSettingsTab final : public QWidget {
    Q_OBJECT

public:
    // Events listed under "Recent Activity".
    static constexpr std::size_t recentActivityLimit = 3;

    explicit IntegrationsSettingsTab(PurloRuntime& runtime, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeReactionsCard();
    QWidget* makeToolsCard();
    void showSwitch();
    void showTools();
    void showRecentActivity();

    PurloRuntime& runtime_;
    PurloToggle* toggle_ = nullptr;
    PurloText* statusLine_ = nullptr;
    ReplaceableContent* toolRows_ = nullptr;
    SettingsGroup* recentActivity_ = nullptr;
    ReplaceableContent* recentRows_ = nullptr;
    std::vector<Cancellable> subscriptions_;
};

} // namespace purlo

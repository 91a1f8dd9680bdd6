#include "settings/IntegrationsSettingsTab.h"

#include "integrations/PurloWebsiteLinks.h"
#include "platform/LinuxWordings.h"
#include "platform/qt/QtText.h"
#include "runtime/PurloRuntime.h"
#include "settings/SettingsFieldBinding.h"
#include "settings/controls/OpenFailureNote.h"
#include "settings/controls/ReplaceableContent.h"
#include "settings/controls/SettingsGroup.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PurloLabel.h"
#include "ui/PurloLink.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"
#include "ui/RunsOnReturn.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

namespace purlo {
namespace {

constexpr int cardPadding = 20;
constexpr int cardSpacing = 16;
constexpr int toolSpacing = 5;
constexpr int recentPadding = 16;
constexpr int recentSpacing = 10;
// The rounding of the style's button face, which its focus ring follows.
constexpr double checkAgainFocusCornerRadius = 4;

PurloText* wrapping(const QString& text, double points, const AppearanceColor& color) {
    auto* label = new PurloText(text, kitFont(points), color);
    label->setWordWrap(true);
    return label;
}

// A ready tool that an event came from while agent reactions are on reads "Connected";
// otherwise the tool's own status word stands.
std::string statusWord(const AgentConnectionStatus& connection, const AgentBridgeStatus& bridge) {
    if (!bridge.enabled || connection.title != "Ready") {
        return connection.title;
    }
    const std::string_view tool = toString(connection.tool);
    const bool heardFrom =
        std::any_of(bridge.recentEvents.begin(), bridge.recentEvents.end(),
                    [tool](const AgentBridgeEventRow& event) { return event.source == tool; });
    return heardFrom ? "Connected" : connection.title;
}

QWidget* toolRow(const AgentConnectionStatus& connection, const AgentBridgeStatus& bridge) {
    auto* row = new QWidget;
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(toolSpacing);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new PurloText(qText(toString(connection.tool)),
                                     kitFont(14.5, QFont::DemiBold), PurloTheme::primaryText));
    heading->addStretch(1);
    heading->addWidget(new PurloText(qText(statusWord(connection, bridge)),
                                     kitFont(12.5, QFont::Medium), PurloTheme::accent));
    column->addLayout(heading);
    column->addWidget(wrapping(qText(connection.detail), 12.5, PurloTheme::secondaryText));
    return row;
}

} // namespace

IntegrationsSettingsTab::IntegrationsSettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime) {
    recentRows_ = new ReplaceableContent;
    recentActivity_ = new SettingsGroup(QStringLiteral("Recent Activity"),
                                        SettingsGroup::Place::later, {recentRows_});
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(new SettingsGroup(QStringLiteral("Agent Reactions"),
                                      SettingsGroup::Place::first, {makeReactionsCard()}));
    page->addWidget(new SettingsGroup(QStringLiteral("Your Tools"), SettingsGroup::Place::later,
                                      {makeToolsCard()}));
    page->addWidget(recentActivity_);

    subscriptions_.push_back(runtime_.settings().subscribe([this](const PurloSettings&) {
        showSwitch();
        showTools();
        showRecentActivity();
    }));
    subscriptions_.push_back(runtime_.agentConnections().subscribe(
        [this](const std::vector<AgentConnectionStatus>&) { showTools(); }));
    subscriptions_.push_back(
        runtime_.agentEventHistory().subscribe([this](const std::vector<AgentEventSnapshot>&) {
            showTools();
            showRecentActivity();
        }));
}

QWidget* IntegrationsSettingsTab::makeReactionsCard() {
    auto* card = new QWidget;
    QVBoxLayout* column = SettingsGroup::makePaddedColumn(*card, cardPadding, cardSpacing);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new PurloText(QStringLiteral("A companion for your coding days"),
                                     kitFont(16, QFont::DemiBold), PurloTheme::primaryText));
    heading->addStretch(1);
    toggle_ = new PurloToggle(settingsBinding(runtime_, &PurloSettings::localAgentBridgeEnabled),
                              QStringLiteral("Agent Reactions"));
    heading->addWidget(toggle_);
    column->addLayout(heading);
    column->addWidget(wrapping(QStringLiteral("Purlo thinks along with your agent, waits when it "
                                              "needs you, and celebrates when the task is done."),
                               14, PurloTheme::secondaryText));
    statusLine_ = wrapping({}, 13, PurloTheme::secondaryText);
    column->addWidget(statusLine_);
    return card;
}

QWidget* IntegrationsSettingsTab::makeToolsCard() {
    auto* card = new QWidget;
    QVBoxLayout* column = SettingsGroup::makePaddedColumn(*card, cardPadding, cardSpacing);
    toolRows_ = new ReplaceableContent;
    column->addWidget(toolRows_);

    auto* actions = new QHBoxLayout;
    auto* checkAgain = new RunsOnReturn<QPushButton>(QStringLiteral("Check Again"));
    checkAgain->setFont(kitFont(13));
    // The style's own button shows no focus: the kit's ring goes round it.
    showFocusAround(*checkAgain, *checkAgain, checkAgainFocusCornerRadius);
    connect(checkAgain, &QPushButton::clicked, this,
            [this] { runtime_.recheckAgentConnections(); });
    actions->addWidget(checkAgain);
    actions->addStretch(1);
    // Under the buttons: the line that says when the help page could not be opened.
    auto* note = new OpenFailureNote(runtime_, {});
    if (const auto& help = PurloWebsiteLinks::connectionHelp()) {
        auto* link = new PurloLink(QStringLiteral("Connection Help"), 13);
        connect(link, &PurloLink::clicked, note, [note, url = *help] { note->open(url); });
        actions->addWidget(link);
    }
    column->addLayout(actions);
    column->addWidget(note);
    return card;
}

void IntegrationsSettingsTab::showSwitch() {
    toggle_->refresh();
    statusLine_->setText(runtime_.settings()->localAgentBridgeEnabled
                             ? qText(LinuxWordings::agentToolsSetUpAutomatically)
                             : QStringLiteral("Off. Purlo won\u2019t react to agent activity."));
}

void IntegrationsSettingsTab::showTools() {
    const std::vector<AgentConnectionStatus>& connections = *runtime_.agentConnections();
    if (connections.empty()) {
        // No rows take no room: the card holds only its buttons.
        toolRows_->replace(nullptr);
        toolRows_->hide();
        return;
    }
    const AgentBridgeStatus bridge = runtime_.agentBridgeStatus();
    auto* rows = new QWidget;
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(cardSpacing);
    for (std::size_t index = 0; index < connections.size(); ++index) {
        if (index > 0) {
            column->addWidget(rowDivider());
        }
        column->addWidget(toolRow(connections[index], bridge));
    }
    toolRows_->replace(rows);
    toolRows_->show();
}

// The history is kept oldest first; the newest events lead the list.
void IntegrationsSettingsTab::showRecentActivity() {
    const AgentBridgeStatus bridge = runtime_.agentBridgeStatus();
    if (!bridge.enabled || bridge.recentEvents.empty()) {
        recentRows_->replace(nullptr);
        recentActivity_->hide();
        return;
    }
    auto* rows = new QWidget;
    QVBoxLayout* column = SettingsGroup::makePaddedColumn(*rows, recentPadding, recentSpacing);
    const auto& events = bridge.recentEvents;
    const std::size_t shown = std::min(events.size(), recentActivityLimit);
    std::for_each(events.rbegin(), events.rbegin() + static_cast<std::ptrdiff_t>(shown),
                  [column](const AgentBridgeEventRow& event) {
                      column->addWidget(new PurloLabel(
                          qText(event.source + " \u00B7 " + event.statusText), event.systemImage,
                          kitFont(13), PurloTheme::secondaryText));
                  });
    recentRows_->replace(rows);
    recentActivity_->show();
}

void IntegrationsSettingsTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The page appearing is when the user looks: the hooks are checked afresh then.
    if (!event->spontaneous()) {
        runtime_.recheckAgentConnections();
    }
}

} // namespace purlo

#include "settings/AdvancedSettingsTab.h"

#include "integrations/PurloReleaseHosts.h"
#include "integrations/PurloWebsiteLinks.h"
#include "platform/qt/QtText.h"
#include "runtime/PurloRuntime.h"
#include "settings/controls/OpenFailureNote.h"
#include "settings/controls/SettingsGroup.h"
#include "ui/KitFont.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloListRow.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace purlo {
namespace {

constexpr double detailsPoints = 12.5;

// Every button and link of the page is a compact ghost button.
constexpr PurloGhostButtonStyle ghost{true};

// A widget laid out by layout, without margins.
QWidget* holding(QLayout* layout) {
    auto* holder = new QWidget;
    layout->setContentsMargins(0, 0, 0, 0);
    holder->setLayout(layout);
    return holder;
}

// A labelled value: the label on the leading side, its value on the trailing side.
QHBoxLayout* labelledValue(const QString& label, PurloText* value) {
    auto* line = new QHBoxLayout;
    line->addWidget(new PurloText(label, kitFont(detailsPoints), PurloTheme::secondaryText));
    line->addStretch(1);
    line->addWidget(value);
    return line;
}

} // namespace

AdvancedSettingsTab::AdvancedSettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime) {
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(
        new SettingsGroup(QStringLiteral("Help"), SettingsGroup::Place::first, {makeHelpCard()}));
    page->addWidget(new SettingsGroup(QStringLiteral("Support Report"), SettingsGroup::Place::later,
                                      {makeSupportReportCard()}));

    subscriptions_.push_back(runtime_.supportSnapshotStatus().subscribe(
        [this](const std::optional<std::string>& status) {
            status_->setText(status ? qText(*status) : QString());
            status_->setVisible(status.has_value());
        }));
    subscriptions_.push_back(runtime_.diagnostics().subscribe(
        [this](const PurloDiagnosticsSnapshot&) { showDiagnostics(); }));
    for (PurloDisclosureGroup* group : {supportReport_, technicalDetails_}) {
        connect(group, &PurloDisclosureGroup::expandedChanged, this, [this] { showDiagnostics(); });
    }
}

void AdvancedSettingsTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showDiagnostics();
}

// The figures are written only while they show: a screen reader hears of every new text
// of a label, hidden or not, and they change with every sample. Unfolded, or with the
// window opened again, they show the latest sample.
void AdvancedSettingsTab::showDiagnostics() {
    if (!animation_->isVisible()) {
        return;
    }
    const PurloDiagnosticsSnapshot& diagnostics = *runtime_.diagnostics();
    diagnosticsStatus_->setText(qText(diagnosticsLevelLabel(diagnostics.level)));
    animation_->setText(qText(diagnostics.cadenceSummary()));
    memory_->setText(qText(diagnostics.memorySummary()));
}

QWidget* AdvancedSettingsTab::makeHelpCard() {
    // A link that cannot be opened says so under its row.
    auto* supportNote = new OpenFailureNote(runtime_, openFailureMargins);
    auto* getSupport = new QHBoxLayout;
    getSupport->setSpacing(8);
    if (const auto& page = PurloWebsiteLinks::helpPage()) {
        PurloButtonChrome* link = ghost.makeBody(QStringLiteral("Help"));
        connect(link, &QAbstractButton::clicked, supportNote,
                [supportNote, url = *page] { supportNote->open(url); });
        getSupport->addWidget(link);
    }
    PurloButtonChrome* email = ghost.makeBody(QStringLiteral("Email\u2026"));
    connect(email, &QAbstractButton::clicked, supportNote,
            [supportNote] { supportNote->openSupportEmailDraft(); });
    getSupport->addWidget(email);

    auto* communityNote = new OpenFailureNote(runtime_, openFailureMargins);
    QWidget* community = nullptr;
    if (const auto& page = PurloWebsiteLinks::communityPage()) {
        PurloButtonChrome* link = ghost.makeBody(qText(PurloReleaseHosts::communityName));
        connect(link, &QAbstractButton::clicked, communityNote,
                [communityNote, url = *page] { communityNote->open(url); });
        community = link;
    }

    return stackedRows(
        {new PurloListRow("questionmark.circle", PurloTheme::accent, QStringLiteral("Get Support"),
                          QStringLiteral("Browse help or email us."), holding(getSupport)),
         supportNote, rowDivider(),
         new PurloListRow("bubble.left.and.bubble.right", PurloTheme::accent,
                          QStringLiteral("Community"),
                          QStringLiteral("Feature requests and Purlo setups."), community),
         communityNote});
}

QWidget* AdvancedSettingsTab::makeSupportReportCard() {
    auto* label = new QWidget;
    auto* titles = new QVBoxLayout(label);
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(2);
    titles->addWidget(new PurloText(QStringLiteral("Create Support Report"),
                                    kitFont(14.5, QFont::Medium), PurloTheme::primaryText));
    titles->addWidget(new PurloText(QStringLiteral("Nothing is sent automatically."), kitFont(12),
                                    PurloTheme::tertiaryText));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    PurloButtonChrome* copy = ghost.makeBody(QStringLiteral("Copy Report"), "doc.on.doc");
    connect(copy, &QAbstractButton::clicked, this, [this] { runtime_.copySupportReport(); });
    buttons->addWidget(copy);
    PurloButtonChrome* save =
        ghost.makeBody(QStringLiteral("Save Report\u2026"), "square.and.arrow.down");
    connect(save, &QAbstractButton::clicked, this, [this] { runtime_.saveSupportReport(); });
    buttons->addWidget(save);
    buttons->addStretch(1);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 12, 0, 0);
    column->setSpacing(12);
    auto* hint = new PurloText(QStringLiteral("Review the report before sharing it with support."),
                               kitFont(13), PurloTheme::tertiaryText);
    hint->setWordWrap(true);
    column->addWidget(hint);
    column->addWidget(holding(buttons));
    status_ = new PurloText({}, kitFont(12.5), PurloTheme::secondaryText);
    status_->setWordWrap(true);
    column->addWidget(status_);
    column->addWidget(makeTechnicalDetails());

    supportReport_ = PurloTrailingDisclosureGroupStyle{}.makeBody(label, content);
    auto* card = new QWidget;
    auto* padding = new QVBoxLayout(card);
    padding->setContentsMargins(15, 14, 15, 14);
    padding->addWidget(supportReport_);
    return card;
}

QWidget* AdvancedSettingsTab::makeTechnicalDetails() {
    diagnosticsStatus_ = new PurloText({}, kitFont(detailsPoints), PurloTheme::secondaryText);
    animation_ = new PurloText({}, kitFont(detailsPoints), PurloTheme::secondaryText);
    memory_ = new PurloText({}, kitFont(detailsPoints), PurloTheme::secondaryText);
    auto* details = new QWidget;
    auto* column = new QVBoxLayout(details);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(8);
    column->addLayout(labelledValue(QStringLiteral("Status"), diagnosticsStatus_));
    column->addLayout(labelledValue(QStringLiteral("Animation"), animation_));
    column->addLayout(labelledValue(QStringLiteral("Memory"), memory_));
    technicalDetails_ = PurloTrailingDisclosureGroupStyle{}.makeBody(
        new PurloText(QStringLiteral("Technical Details"), kitFont(13), PurloTheme::primaryText),
        details);
    return technicalDetails_;
}

} // namespace purlo

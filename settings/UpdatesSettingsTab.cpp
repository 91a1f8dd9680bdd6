#include "settings/UpdatesSettingsTab.h"

#include "integrations/PurloWebsiteLinks.h"
#include "platform/qt/QtText.h"
#include "runtime/PurloRuntime.h"
#include "settings/controls/OpenFailureNote.h"
#include "settings/controls/ReplaceableContent.h"
#include "settings/controls/SettingsGroup.h"
#include "ui/KitFont.h"
#include "ui/PurloAppIcon.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloLink.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSysInfo>
#include <QVBoxLayout>
#include <cmath>

namespace purlo {
namespace {

constexpr int applicationCardPadding = 24;

// Every button of the page is the compact kind.
constexpr PurloGhostButtonStyle ghost{true};
constexpr PurloPrimaryButtonStyle primary{true};

// The program's icon, fitted to a square and drawn for the screen's density.
QLabel* applicationIcon(int side, double devicePixelRatio) {
    auto* icon = new QLabel;
    QPixmap pixmap = purloPawPixmap(static_cast<int>(std::ceil(side * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    icon->setPixmap(pixmap);
    icon->setFixedSize(side, side);
    icon->setAlignment(Qt::AlignCenter);
    return icon;
}

// The title of the website check's row.
QString manualTitle(const PurloUpdateCheckState& state) {
    using State = PurloUpdateCheckState;
    return std::visit(
        [](const auto& value) -> QString {
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, State::UpToDate>) {
                return QStringLiteral("Up to date");
            } else if constexpr (std::is_same_v<Value, State::UpdateAvailable>) {
                return QStringLiteral("Update available");
            } else if constexpr (std::is_same_v<Value, State::Unavailable>) {
                return QStringLiteral("Unavailable");
            } else if constexpr (std::is_same_v<Value, State::Idle>) {
                return QStringLiteral("Ready");
            } else {
                return QStringLiteral("Checking...");
            }
        },
        state.value());
}

// Two lines for support: "Purlo 1.4 (27)" (the fixed word, not the bundle's name), then
// the operating system's name and version.
QString deviceInfo(const PurloAppInfo& info) {
    return qText("Purlo " + info.version + " (" + info.build + ")") + QLatin1Char('\n') +
           QSysInfo::prettyProductName();
}

// A row whose switch, named by the row's title, turns one of the updater's settings on
// and off.
PurloSettingRow* switchRow(const QString& title, Binding<bool> isOn) {
    return settingRow(title, new PurloToggle(std::move(isOn), title));
}

} // namespace

UpdatesSettingsTab::UpdatesSettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime)
    , updates_(new ReplaceableContent) {
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(new SettingsGroup(QStringLiteral("Purlo"), SettingsGroup::Place::first,
                                      {makeApplicationCard()}));
    page->addWidget(
        new SettingsGroup(QStringLiteral("Updates"), SettingsGroup::Place::later, {updates_}));
    page->addWidget(
        new SettingsGroup(QStringLiteral("More"), SettingsGroup::Place::later, {makeLinksCard()}));

    // The runtime announces the update state again whenever a switch of the update
    // framework changes, so the card rebuilds from the framework's own values too.
    updateSubscription_ = runtime_.updateCheckState().subscribe(
        [this](const PurloUpdateCheckState&) { showUpdates(); });
}

QWidget* UpdatesSettingsTab::makeApplicationCard() {
    const PurloAppInfo info = runtime_.appInfo();
    auto* card = new QWidget;
    auto* stack = new QVBoxLayout(card);
    stack->setContentsMargins(0, applicationCardPadding, 0, applicationCardPadding);
    stack->setSpacing(12);
    stack->setAlignment(Qt::AlignHCenter);
    stack->addWidget(applicationIcon(iconSide, devicePixelRatioF()), 0, Qt::AlignHCenter);
    stack->addWidget(new PurloText(qText(info.name + " " + info.version), kitFont(20, QFont::Bold),
                                   PurloTheme::primaryText),
                     0, Qt::AlignHCenter);
    stack->addWidget(new PurloText(qText("Build " + info.build), kitFont(12.5, QFont::Normal, true),
                                   PurloTheme::secondaryText),
                     0, Qt::AlignHCenter);
    PurloButtonChrome* copy = ghost.makeBody(QStringLiteral("Copy Device Info"), "doc.on.doc");
    connect(copy, &QAbstractButton::clicked, this, [this] { copyDeviceInfo(); });
    stack->addWidget(copy, 0, Qt::AlignHCenter);
    copyStatus_ = new PurloText({}, kitFont(12), PurloTheme::secondaryText);
    copyStatus_->hide();
    stack->addWidget(copyStatus_, 0, Qt::AlignHCenter);
    return card;
}

// Each row's link, when it cannot be opened, says so under its row.
QWidget* UpdatesSettingsTab::makeLinksCard() {
    // Both links read "Open"; a screen reader hears what each opens.
    const auto link = [this](const QString& title, const std::optional<Url>& page,
                             OpenFailureNote* note) -> QWidget* {
        if (!page) {
            return nullptr;
        }
        auto* open = new PurloLink(QStringLiteral("Open"), 13);
        open->setAccessibleName(QStringLiteral("Open ") + title);
        connect(open, &QAbstractButton::clicked, note, [note, url = *page] { note->open(url); });
        return open;
    };
    auto* releaseNotesNote = new OpenFailureNote(runtime_, openFailureMargins);
    auto* privacyPolicyNote = new OpenFailureNote(runtime_, openFailureMargins);
    return stackedRows({
        settingRow(QStringLiteral("Release Notes"),
                   link(QStringLiteral("Release Notes"), PurloWebsiteLinks::releaseNotes(),
                        releaseNotesNote)),
        releaseNotesNote,
        rowDivider(),
        settingRow(QStringLiteral("Privacy Policy"),
                   link(QStringLiteral("Privacy Policy"), PurloWebsiteLinks::privacyPolicy(),
                        privacyPolicyNote)),
        privacyPolicyNote,
    });
}

void UpdatesSettingsTab::showUpdates() {
    const PurloUpdatePresentation presentation = runtime_.updatePresentation();
    if (const auto* manual = std::get_if<PurloUpdatePresentation::Manual>(&presentation.value())) {
        updates_->replace(makeManualForm(manual->state));
    } else {
        updates_->replace(makeInAppForm());
    }
}

QWidget* UpdatesSettingsTab::makeInAppForm() {
    const PurloAutomaticUpdating& updater = runtime_.automaticUpdater();
    PurloSettingRow* downloads =
        switchRow(QStringLiteral("Download updates automatically"),
                  {[this] { return runtime_.automaticallyDownloadsUpdates(); },
                   [this](bool on) {
                       runtime_.setAutomaticallyDownloadsUpdates(on);
                   }});
    downloads->setEnabled(updater.isAvailable() && updater.allowsAutomaticUpdates());
    return stackedRows({
        switchRow(QStringLiteral("Check for updates automatically"),
                  {[this] { return runtime_.automaticallyChecksForUpdates(); },
                   [this](bool on) {
                       runtime_.setAutomaticallyChecksForUpdates(on);
                   }}),
        rowDivider(),
        downloads,
        rowDivider(),
        settingRow(QStringLiteral("Check for Updates"),
                   checkNowButton(QStringLiteral("Check Now\u2026"))),
    });
}

QWidget* UpdatesSettingsTab::makeManualForm(const PurloUpdateCheckState& state) {
    auto* controls = new QWidget;
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    // A download page the desktop cannot open says so under the row.
    auto* downloadNote = new OpenFailureNote(runtime_, openFailureMargins);
    if (const auto& page = state.downloadURL()) {
        PurloButtonChrome* download =
            primary.makeBody(QStringLiteral("Download\u2026"), "arrow.down.circle");
        connect(download, &QAbstractButton::clicked, downloadNote,
                [this, downloadNote, address = page->text()] {
                    runtime_.openUpdateDownloadPage(downloadNote->verdictOn(address));
                });
        row->addWidget(download);
    }
    row->addWidget(checkNowButton(QStringLiteral("Check Now")));
    return stackedRows(
        {settingRow(manualTitle(state), controls, qText(state.statusText())), downloadNote});
}

PurloButtonChrome* UpdatesSettingsTab::checkNowButton(const QString& title) {
    PurloButtonChrome* checkNow = ghost.makeBody(title, "arrow.triangle.2.circlepath");
    checkNow->setEnabled(runtime_.canCheckForUpdates());
    connect(checkNow, &QAbstractButton::clicked, this, [this] { runtime_.checkForUpdates(); });
    return checkNow;
}

void UpdatesSettingsTab::copyDeviceInfo() {
    const QByteArray text = deviceInfo(runtime_.appInfo()).toUtf8();
    const bool copied = runtime_.pasteboard().replaceString(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    copyStatus_->setText(copied ? QStringLiteral("Copied") : QStringLiteral("Could not copy"));
    copyStatus_->show();
}

} // namespace purlo

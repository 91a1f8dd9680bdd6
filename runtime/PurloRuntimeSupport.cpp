#include "integrations/InternetDateTime.h"
#include "integrations/PurloReleaseHosts.h"
#include "integrations/PurloSupportEmailDraft.h"
#include "platform/AtomicFile.h"
#include "runtime/PurloRuntime.h"

#include <algorithm>

namespace purlo {

PurloAppInfo PurloRuntime::appInfo() const {
    return PurloAppInfo(bundle_);
}

bool PurloRuntime::openURL(const Url& url) {
    return urlOpener_.open(url.text());
}

PurloSupportSnapshot PurloRuntime::makeSupportSnapshot() const {
    const Date createdAt = clock_.now();
    return PurloSupportSnapshot{
        .createdAt = createdAt,
        .appInfo = appInfo(),
        .diagnostics = *diagnostics_,
        .privacyStatus = privacyStatus(),
        .agentBridgeStatus = agentBridgeStatus(),
        .settings = *settings_,
        .updateModeText = std::string(automaticUpdater_->isAvailable()
                                          ? PurloSupportSnapshot::inAppUpdatesText
                                          : PurloSupportSnapshot::websiteDownloadText),
    };
}

void PurloRuntime::copySupportReport() {
    const bool copied = pasteboard_.replaceString(makeSupportSnapshot().buildSupportReport());
    supportSnapshotStatus_.set(copied ? "Support report copied."
                                      : "Could not copy support report.");
}

void PurloRuntime::saveSupportReport() {
    // Taken before the question is asked: the saved report is the one of the moment
    // the user asked for it, and the name says when that was.
    const PurloSupportSnapshot snapshot = makeSupportSnapshot();
    const auto location = savePanel_.chooseSaveLocation(supportReportFileName(snapshot.createdAt));
    if (!location) {
        supportSnapshotStatus_.set(std::nullopt);
        return;
    }
    const bool saved = !writeFileAtomically(*location, snapshot.buildSupportReport());
    supportSnapshotStatus_.set(saved ? "Support report saved." : "Could not save support report.");
}

void PurloRuntime::openSupportEmailDraft() {
    const auto url = PurloSupportEmailDraft{appInfo()}.supportMailtoURL();
    if (url && openURL(*url)) {
        supportSnapshotStatus_.set("Support email draft opened.");
    } else if (url) {
        supportSnapshotStatus_.set(copySupportAddressFallback());
    } else {
        pasteboard_.replaceString(PurloReleaseHosts::supportAddress);
        supportSnapshotStatus_.set("Could not create support email draft. Copied " +
                                   std::string(PurloReleaseHosts::supportAddress) + ".");
    }
}

std::string PurloRuntime::copySupportAddressFallback() {
    pasteboard_.replaceString(PurloReleaseHosts::supportAddress);
    return "Could not open support email draft. Copied " +
           std::string(PurloReleaseHosts::supportAddress) + ".";
}

std::string PurloRuntime::supportReportFileName(Date createdAt) {
    std::string stamp = internetDateTime(createdAt);
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    return "Purlo Support Report " + stamp + ".txt";
}

} // namespace purlo

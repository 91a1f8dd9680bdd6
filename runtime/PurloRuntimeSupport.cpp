#include "integrations/InternetDateTime.h"
#include "integrations/PurloReleaseHosts.h"
#include "integrations/PurloSupportEmailDraft.h"
#include "platform/AtomicFile.h"
#include "platform/LinuxWordings.h"
#include "runtime/PurloRuntime.h"

#include <algorithm>
#include <utility>

namespace purlo {
namespace {

// Without a mail draft the user can still write by hand: the address goes on the
// clipboard and the status says so after the failure. A clipboard that refused it is
// not said to hold it: the line gives the address to copy by hand.
std::string copySupportAddress(Pasteboard& pasteboard, std::string_view failure) {
    const std::string address(PurloReleaseHosts::supportAddress);
    const bool copied = pasteboard.replaceString(address);
    return LinuxWordings::addressAfter(failure, address, copied);
}

} // namespace

PurloAppInfo PurloRuntime::appInfo() const {
    return PurloAppInfo(bundle_);
}

void PurloRuntime::openURL(const Url& url, UrlOpener::Done done) {
    urlOpener_.open(url.text(), std::move(done));
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

void PurloRuntime::openSupportEmailDraft(UrlOpener::Done done) {
    const auto report = [done = std::move(done)](bool opened) {
        if (done) {
            done(opened);
        }
    };
    const auto url = PurloSupportEmailDraft{appInfo()}.supportMailtoURL();
    if (!url) {
        supportSnapshotStatus_.set(
            copySupportAddress(pasteboard_, "Could not create support email draft."));
        report(false);
        return;
    }
    openURL(*url, [this, report](bool opened) {
        supportSnapshotStatus_.set(opened ? "Support email draft opened."
                                          : copySupportAddressFallback());
        report(opened);
    });
}

std::string PurloRuntime::copySupportAddressFallback() {
    return copySupportAddress(pasteboard_, "Could not open support email draft.");
}

std::string PurloRuntime::supportReportFileName(Date createdAt) {
    std::string stamp = internetDateTime(createdAt);
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    return "Purlo Support Report " + stamp + ".txt";
}

} // namespace purlo

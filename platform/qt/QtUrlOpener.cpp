#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <utility>

namespace purlo {

QtUrlOpener::QtUrlOpener(QString opener)
    : opener_(std::move(opener)) {}

// A running opener must not report to a caller that may be gone already.
QtUrlOpener::~QtUrlOpener() {
    for (QProcess* launch : launches_.findChildren<QProcess*>()) {
        launch->disconnect();
    }
}

QString QtUrlOpener::desktopOpener() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

void QtUrlOpener::open(std::string_view url, Done done) {
    const auto report = [done = std::move(done)](bool opened) {
        if (done) {
            done(opened);
        }
    };
    const QUrl parsed(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())),
                      QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty()) {
        report(false);
        return;
    }
    if (opener_.isEmpty()) {
        report(QDesktopServices::openUrl(parsed));
        return;
    }

    auto* launch = new QProcess(&launches_);
    launch->setProgram(opener_);
    launch->setArguments({parsed.toString(QUrl::FullyEncoded)});
    launch->setStandardOutputFile(QProcess::nullDevice());
    launch->setStandardErrorFile(QProcess::nullDevice());
    // Whichever comes first, the opener's exit or its failure to start, is the verdict.
    auto verdict = std::make_shared<std::function<void(bool)>>(report);
    const auto decide = [launch, verdict](bool opened) {
        if (*verdict) {
            std::exchange(*verdict, nullptr)(opened);
        }
        launch->deleteLater();
    };
    QObject::connect(launch, &QProcess::finished, launch,
                     [decide](int exitCode, QProcess::ExitStatus status) {
                         decide(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(launch, &QProcess::errorOccurred, launch,
                     [decide](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             decide(false);
                         }
                     });
    launch->start();
}

} // namespace purlo

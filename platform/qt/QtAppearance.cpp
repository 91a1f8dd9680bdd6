#include "platform/qt/QtAppearance.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <utility>

namespace purlo {
namespace {

// A desktop that has not answered by then is not going to.
constexpr int answerTimeoutMilliseconds = 5000;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

QStringList QtAppearance::gnomeAnimationsQuery() {
    return {"gsettings", "get", "org.gnome.desktop.interface", "enable-animations"};
}

QtAppearance::QtAppearance(QStringList query, QObject* parent)
    : QObject(parent)
    , query_(std::move(query)) {
    giveUp_.setSingleShot(true);
    connect(&giveUp_, &QTimer::timeout, this, [this] {
        if (process_ != nullptr) {
            process_->kill();
        }
    });
    darkAppearance_ = isDark(QGuiApplication::palette().color(QPalette::Window));
    // The signal rather than the event it stands for: hearing the event would take a
    // filter over the whole application, which every event of the program passes, the
    // cat's frames and the runtime's ticks included.
    if (qGuiApp != nullptr) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        connect(qGuiApp, &QGuiApplication::paletteChanged, this, [this] {
            readPalette();
            askDesktop();
        });
        QT_WARNING_POP
    }
    askDesktop();
}

QtAppearance::~QtAppearance() {
    if (process_ != nullptr) {
        process_->disconnect(this);
        process_->kill();
        process_->waitForFinished();
    }
}

bool QtAppearance::isDark(const QColor& windowColor) {
    return windowColor.lightnessF() < 0.5;
}

bool QtAppearance::animationsTurnedOff(std::string_view answer) {
    return trimmed(answer) == "false";
}

void QtAppearance::readPalette() {
    update(isDark(QGuiApplication::palette().color(QPalette::Window)), reduceMotion_);
}

// One question at a time: a palette change while one is out gets that answer.
void QtAppearance::askDesktop() {
    if (query_.isEmpty() || process_ != nullptr) {
        return;
    }
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    connect(process_, &QProcess::finished, this, &QtAppearance::takeAnswer);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            takeAnswer();
        }
    });
    process_->start(query_.first(), query_.mid(1), QIODevice::ReadOnly);
    giveUp_.start(answerTimeoutMilliseconds);
}

void QtAppearance::takeAnswer() {
    QProcess* process = std::exchange(process_, nullptr);
    if (process == nullptr) {
        return;
    }
    giveUp_.stop();
    const bool answered = process->exitStatus() == QProcess::NormalExit &&
                          process->exitCode() == 0 && process->error() != QProcess::FailedToStart;
    const QByteArray output = answered ? process->readAllStandardOutput() : QByteArray();
    process->deleteLater();
    update(darkAppearance_,
           answered && animationsTurnedOff(std::string_view(output.constData(), output.size())));
}

void QtAppearance::update(bool darkAppearance, bool reduceMotion) {
    if (darkAppearance == darkAppearance_ && reduceMotion == reduceMotion_) {
        return;
    }
    darkAppearance_ = darkAppearance;
    reduceMotion_ = reduceMotion;
    Q_EMIT changed();
}

} // namespace purlo

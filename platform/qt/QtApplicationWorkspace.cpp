#include "platform/qt/QtApplicationWorkspace.h"

#include <QProcess>
#include <QStringList>

namespace purlo {

void QtApplicationWorkspace::openNewInstance(
    const std::filesystem::path& bundle, std::vector<std::string> arguments,
    std::function<void(std::optional<std::string> error)> done) {
    const std::filesystem::path program = bundle / executableName_;
    QStringList list;
    for (const std::string& argument : arguments) {
        list.append(QString::fromStdString(argument));
    }
    const bool started = QProcess::startDetached(QString::fromStdString(program.string()), list);
    std::optional<std::string> error;
    if (!started) {
        error = "Could not start “" + program.string() + "”.";
    }
    loop_.post([done = std::move(done), error] { done(error); });
}

void QtApplicationWorkspace::unmountAndEject(const std::filesystem::path& path,
                                             std::function<void(bool ejected)> done) {
    auto* command = new QProcess(&commands_);
    QObject::connect(command, &QProcess::finished, command,
                     [command, done](int exitCode, QProcess::ExitStatus status) {
                         command->deleteLater();
                         done(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(command, &QProcess::errorOccurred, command,
                     [command, done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             command->deleteLater();
                             done(false);
                         }
                     });
    command->start("gio", {"mount", "--eject", QString::fromStdString(path.string())});
}

} // namespace purlo

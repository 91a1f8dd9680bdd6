#pragma once

#include "model/PurloSettings.h"
#include "tests/support/TemporaryFolder.h"

#include <QProcess>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace purlo::testing {

// A user of the program's own: a home, config, data and runtime folder in a temporary
// folder, so the real program started on it never touches the real ones.
class PurloProfile {
public:
    PurloProfile();

    // Stores the settings where the program loads them from.
    void storeSettings(const PurloSettings& settings) const;
    // The settings as the program last stored them.
    PurloSettings storedSettings() const;
    // Where the agent event file and the integrations' files are.
    std::filesystem::path supportFolder() const;
    // Writes "agent-event.json" the way the hook script does: whole, in one rename.
    void writeAgentEvent(const std::string& json) const;
    // The environment the program runs in: nothing but these folders, a PATH, and the
    // display when one is given.
    QProcessEnvironment environment(const std::optional<std::string>& display) const;

private:
    TemporaryFolder folder_;
};

// The real program, started from the build folder.
class PurloProcess {
public:
    // The program in PURLO_BUILD_DIR's "bin"; nothing when ctest did not say where.
    static std::optional<QString> program();

    PurloProcess(const PurloProfile& profile, const std::optional<std::string>& display);
    // Stops a program still running, so a failed test leaves no cat behind.
    ~PurloProcess();
    PurloProcess(const PurloProcess&) = delete;
    PurloProcess& operator=(const PurloProcess&) = delete;

    long long pid() const { return process_.processId(); }
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    // Sends SIGTERM.
    void terminate() { process_.terminate(); }
    // Waits for the program to end; true when it did in time.
    bool waitForExit(std::chrono::milliseconds timeout);
    int exitCode() const { return process_.exitCode(); }
    bool crashed() const { return process_.exitStatus() == QProcess::CrashExit; }
    QString standardError() { return QString::fromUtf8(process_.readAllStandardError()); }

private:
    QProcess process_;
};

// Asks until the answer is yes or the time is up; the program runs on its own clock.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(10));

} // namespace purlo::testing

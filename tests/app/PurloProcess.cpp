#include "tests/app/PurloProcess.h"

#include "model/PurloSettingsStore.h"
#include "platform/Environment.h"
#include "platform/FileKeyValueStore.h"
#include "tests/companion/BuildFolder.h"

#include <thread>

namespace purlo::testing {
namespace {

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

constexpr auto pollInterval = std::chrono::milliseconds(50);

} // namespace

PurloProfile::PurloProfile() {
    for (const char* name : {"home", "config", "data", "runtime"}) {
        std::filesystem::create_directories(folder_ / name);
    }
    std::filesystem::permissions(folder_ / "runtime", std::filesystem::perms::owner_all);
}

void PurloProfile::storeSettings(const PurloSettings& settings) const {
    FileKeyValueStore store(configFolder({{"XDG_CONFIG_HOME", (folder_ / "config").string()}}));
    PurloSettings::save(settings, store);
}

PurloSettings PurloProfile::storedSettings() const {
    FileKeyValueStore store(configFolder({{"XDG_CONFIG_HOME", (folder_ / "config").string()}}));
    return PurloSettings::load(store).settings;
}

std::filesystem::path PurloProfile::supportFolder() const {
    return purlo::supportFolder({{"XDG_DATA_HOME", (folder_ / "data").string()}});
}

void PurloProfile::writeAgentEvent(const std::string& json) const {
    std::filesystem::create_directories(supportFolder());
    const auto draft = supportFolder() / ".agent-event.draft";
    writeFile(draft, json);
    std::filesystem::rename(draft, supportFolder() / "agent-event.json");
}

QProcessEnvironment PurloProfile::environment(const std::optional<std::string>& display) const {
    QProcessEnvironment environment;
    environment.insert("PATH", "/usr/local/bin:/usr/bin:/bin");
    environment.insert("HOME", qtPath(folder_ / "home"));
    environment.insert("XDG_CONFIG_HOME", qtPath(folder_ / "config"));
    environment.insert("XDG_DATA_HOME", qtPath(folder_ / "data"));
    environment.insert("XDG_RUNTIME_DIR", qtPath(folder_ / "runtime"));
    if (display) {
        environment.insert("DISPLAY", QString::fromStdString(*display));
    }
    return environment;
}

std::optional<QString> PurloProcess::program() {
    const auto bin = programResources();
    return bin ? std::optional(qtPath(*bin / "purlo")) : std::nullopt;
}

PurloProcess::PurloProcess(const PurloProfile& profile, const std::optional<std::string>& display) {
    process_.setProcessEnvironment(profile.environment(display));
    process_.setProgram(program().value_or("purlo"));
    process_.start();
    process_.waitForStarted();
}

PurloProcess::~PurloProcess() {
    if (isRunning()) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool PurloProcess::waitForExit(std::chrono::milliseconds timeout) {
    return process_.waitForFinished(static_cast<int>(timeout.count()));
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pollInterval);
    }
    return true;
}

} // namespace purlo::testing

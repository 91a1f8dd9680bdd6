#pragma once

#include <QDir>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace purlo::testing {

// The build folder ctest names in PURLO_BUILD_DIR; nothing when the tests run without it.
inline std::optional<std::filesystem::path> buildFolder() {
    const char* folder = std::getenv("PURLO_BUILD_DIR");
    return folder && *folder ? std::optional(std::filesystem::path(folder)) : std::nullopt;
}

// The folder beside the program, where the build puts the pixel font.
inline std::optional<std::filesystem::path> programResources() {
    const auto build = buildFolder();
    return build ? std::optional(*build / "bin") : std::nullopt;
}

// "artifacts" in the build folder, made when missing: pictures for a person to look at.
inline std::optional<QDir> artifactsFolder() {
    const auto build = buildFolder();
    QDir folder(QString::fromStdString(build ? (*build / "artifacts").string() : ""));
    return build && folder.mkpath(".") ? std::optional(folder) : std::nullopt;
}

} // namespace purlo::testing

#include "companion/qt/PurloFontRegistrar.h"

#include "base/RegularFile.h"
#include "companion/FontPostScriptName.h"

#include <QFontDatabase>
#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

namespace purlo {
namespace {

// Far more than any font the program ships; a larger file is not read for its name.
constexpr std::size_t largestFontFile = 16 * 1024 * 1024;

std::vector<std::filesystem::path> fontFilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == ".ttf" && it->is_regular_file(typeError)) {
            files.push_back(it->path());
        }
    }
    std::ranges::sort(files);
    return files;
}

std::optional<std::string> postScriptNameOf(const std::filesystem::path& file) {
    std::error_code error;
    const auto bytes = readRegularFile(file, largestFontFile, error);
    if (!bytes) {
        return std::nullopt;
    }
    return fontPostScriptName(*bytes);
}

} // namespace

PurloFontRegistrar::PurloFontRegistrar(AddFont addFont)
    : addFont_(std::move(addFont)) {}

PurloFontRegistrar& PurloFontRegistrar::shared() {
    static PurloFontRegistrar registrar;
    return registrar;
}

QStringList PurloFontRegistrar::addApplicationFont(const std::filesystem::path& file) {
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
    return id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
}

std::vector<std::filesystem::path>
PurloFontRegistrar::bundledFontFiles(const std::filesystem::path& resourcesFolder) {
    std::vector<std::filesystem::path> files = fontFilesIn(resourcesFolder / "Fonts");
    std::ranges::move(fontFilesIn(resourcesFolder), std::back_inserter(files));
    return files;
}

void PurloFontRegistrar::registerBundledFonts(const std::filesystem::path& resourcesFolder) {
    // Set first: a registration that failed is not tried again.
    if (std::exchange(registered_, true)) {
        return;
    }
    for (const std::filesystem::path& file : bundledFontFiles(resourcesFolder)) {
        const QStringList families = addFont_(file);
        if (families.isEmpty()) {
            continue;
        }
        if (auto name = postScriptNameOf(file)) {
            familiesByPostScriptName_.try_emplace(std::move(*name), families.first());
        }
    }
}

std::optional<QString> PurloFontRegistrar::family(std::string_view postScriptName) const {
    const auto found = familiesByPostScriptName_.find(postScriptName);
    if (found == familiesByPostScriptName_.end()) {
        return std::nullopt;
    }
    return found->second;
}

QFont PurloFontRegistrar::font(std::string_view postScriptName, int pixelSize) const {
    QFont font;
    if (const auto registered = family(postScriptName)) {
        font = QFont(*registered);
    }
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace purlo

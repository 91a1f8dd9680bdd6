#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace purlo {

// Makes the font files that ship with the program known to this process, once, before
// any window is built, and finds them again by their PostScript names. The program's
// resources are the folder beside the executable; fonts are looked for in its "Fonts"
// folder first, then at its top.
class PurloFontRegistrar {
public:
    // The bubbles' pixel font.
    static constexpr std::string_view pixelFontName = "Silkscreen-Regular";

    // Registers one file with the text system; the families it added, none when the
    // file was refused.
    using AddFont = std::function<QStringList(const std::filesystem::path&)>;

    explicit PurloFontRegistrar(AddFont addFont = addApplicationFont);

    // The process's registrar.
    static PurloFontRegistrar& shared();

    static QStringList addApplicationFont(const std::filesystem::path& file);

    // Every ".ttf" file of the "Fonts" folder, then of the top of the resources, each
    // folder's files in name order. Missing folders add nothing.
    static std::vector<std::filesystem::path>
    bundledFontFiles(const std::filesystem::path& resourcesFolder);

    // The first call registers the bundled fonts; every later call returns at once, even
    // when the first found nothing or a file was refused. Reports nothing.
    void registerBundledFonts(const std::filesystem::path& resourcesFolder);

    // The family Qt gave the registered file of that PostScript name.
    std::optional<QString> family(std::string_view postScriptName) const;

    // That font at the pixel size, or the application's default font at that size when
    // no registered file has the name, so text still draws without the file.
    QFont font(std::string_view postScriptName, int pixelSize) const;

private:
    AddFont addFont_;
    bool registered_ = false;
    std::map<std::string, QString, std::less<>> familiesByPostScriptName_;
};

} // namespace purlo

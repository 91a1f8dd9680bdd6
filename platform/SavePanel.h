#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace purlo {

// Asks the user where to save a file, modally, offering a name. The user may make
// folders from it and sees the name's extension.
class SavePanel {
public:
    virtual ~SavePanel() = default;

    // The chosen file; nothing when the user cancelled or chose no file.
    virtual std::optional<std::filesystem::path>
    chooseSaveLocation(std::string_view suggestedFileName) = 0;
};

} // namespace purlo

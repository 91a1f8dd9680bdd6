#pragma once

#include "platform/SavePanel.h"

namespace purlo {

// The desktop's save dialog, run modally over the application's windows.
class QtSavePanel final : public SavePanel {
public:
    std::optional<std::filesystem::path>
    chooseSaveLocation(std::string_view suggestedFileName) override;
};

} // namespace purlo

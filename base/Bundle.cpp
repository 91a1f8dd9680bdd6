#include "base/Bundle.h"

#include "base/RegularFile.h"

#include <nlohmann/json.hpp>

namespace purlo {
namespace {

// The build writes a few hundred bytes; anything past this is no file of ours and is not
// read whole.
constexpr std::size_t largestInformationFile = 1 << 20;

} // namespace

Bundle Bundle::fromInformationFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto bytes = readRegularFile(file, largestInformationFile, error);
    if (!bytes) {
        return {};
    }
    const auto parsed = nlohmann::json::parse(*bytes, nullptr, false);
    if (!parsed.is_object()) {
        return {};
    }
    Information information;
    for (const auto& [key, value] : parsed.items()) {
        if (value.is_string()) {
            information.emplace(key, value.get<std::string>());
        }
    }
    return Bundle(std::move(information));
}

Bundle Bundle::fromExecutableFolder(const std::filesystem::path& folder) {
    return fromInformationFile(folder / informationFileName);
}

std::optional<std::string> Bundle::string(std::string_view key) const {
    const auto found = information_.find(key);
    if (found == information_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace purlo

#include "base/Bundle.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace purlo {

Bundle Bundle::fromInformationFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return {};
    }
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    const auto parsed = nlohmann::json::parse(bytes.str(), nullptr, false);
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

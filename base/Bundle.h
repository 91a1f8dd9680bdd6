#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The program's information keys ("CFBundleName", "CFBundleShortVersionString", ...),
// as installed in Info.json beside the executable. Only text values count: a key whose
// value is missing or not text reads as absent.
class Bundle {
public:
    using Information = std::map<std::string, std::string, std::less<>>;

    static constexpr std::string_view informationFileName = "Info.json";

    Bundle() = default;
    explicit Bundle(Information information)
        : information_(std::move(information)) {}

    // The keys of a JSON object file; a missing or malformed file gives no keys, so the
    // program still starts and shows its fallbacks.
    static Bundle fromInformationFile(const std::filesystem::path& file);
    // The Info.json in the executable's folder.
    static Bundle fromExecutableFolder(const std::filesystem::path& folder);

    std::optional<std::string> string(std::string_view key) const;
    const Information& information() const { return information_; }

private:
    Information information_;
};

} // namespace purlo

#include "companion/FontPostScriptName.h"

#include <cstdint>

namespace purlo {
namespace {

constexpr std::size_t tableDirectoryOffset = 12;
constexpr std::size_t tableRecordSize = 16;
constexpr std::size_t nameHeaderSize = 6;
constexpr std::size_t nameRecordSize = 12;
constexpr std::uint16_t postScriptNameId = 6;
constexpr std::uint16_t macintoshPlatform = 1;
constexpr std::uint16_t windowsPlatform = 3;

// Big-endian reads that fail instead of reading past the end.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : bytes_(bytes) {}

    std::optional<std::uint32_t> number(std::size_t offset, std::size_t width) const {
        if (offset > bytes_.size() || width > bytes_.size() - offset) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        }
        return value;
    }
    std::optional<std::uint16_t> u16(std::size_t offset) const {
        const auto value = number(offset, 2);
        return value ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*value))
                     : std::nullopt;
    }
    std::optional<std::uint32_t> u32(std::size_t offset) const { return number(offset, 4); }
    std::optional<std::string_view> slice(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) {
            return std::nullopt;
        }
        return bytes_.substr(offset, length);
    }

private:
    std::string_view bytes_;
};

std::optional<std::string_view> nameTable(const Reader& file) {
    const auto tableCount = file.u16(4);
    if (!tableCount) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < *tableCount; ++i) {
        const std::size_t record = tableDirectoryOffset + i * tableRecordSize;
        const auto tag = file.slice(record, 4);
        if (!tag) {
            return std::nullopt;
        }
        if (*tag == "name") {
            const auto offset = file.u32(record + 8);
            const auto length = file.u32(record + 12);
            if (!offset || !length) {
                return std::nullopt;
            }
            return file.slice(*offset, *length);
        }
    }
    return std::nullopt;
}

// PostScript names are printable ASCII; Windows records hold them as UTF-16BE.
std::optional<std::string> decoded(std::string_view raw, std::uint16_t platform) {
    std::string name;
    if (platform == windowsPlatform) {
        if (raw.size() % 2 != 0) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < raw.size(); i += 2) {
            if (raw[i] != '\0') {
                return std::nullopt;
            }
            name.push_back(raw[i + 1]);
        }
    } else {
        name = raw;
    }
    for (const char c : name) {
        if (c < 33 || c > 126) {
            return std::nullopt;
        }
    }
    return name.empty() ? std::nullopt : std::optional<std::string>(std::move(name));
}

} // namespace

std::optional<std::string> fontPostScriptName(std::string_view fontFile) {
    const auto table = nameTable(Reader(fontFile));
    if (!table) {
        return std::nullopt;
    }
    const Reader names(*table);
    const auto count = names.u16(2);
    const auto stringsOffset = names.u16(4);
    if (!count || !stringsOffset) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t record = nameHeaderSize + i * nameRecordSize;
        const auto platform = names.u16(record);
        const auto nameId = names.u16(record + 6);
        const auto length = names.u16(record + 8);
        const auto offset = names.u16(record + 10);
        if (!platform || !nameId || !length || !offset) {
            return std::nullopt;
        }
        if (*nameId != postScriptNameId ||
            (*platform != windowsPlatform && *platform != macintoshPlatform)) {
            continue;
        }
        const auto raw = names.slice(std::size_t{*stringsOffset} + *offset, *length);
        if (!raw) {
            continue;
        }
        if (auto name = decoded(*raw, *platform)) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace purlo

#pragma once

#include "base/KeyValueStore.h"

#include <map>
#include <set>

namespace purlo::testing {

// Keeps values in memory; a key can be made to refuse writes, as a full disk would,
// or to hold something that can be neither read nor written over, as a folder in a
// file's place would.
class InMemoryKeyValueStore final : public KeyValueStore {
public:
    StoredData read(std::string_view key) const override {
        if (unreadableKeys.contains(key)) {
            return {std::nullopt, std::make_error_code(std::errc::is_a_directory)};
        }
        const auto found = values.find(key);
        return {found == values.end() ? std::nullopt : std::optional<std::string>(found->second),
                {}};
    }
    std::error_code write(std::string_view key, std::string_view bytes) override {
        ++writeCount;
        if (failingKeys.contains(key)) {
            return std::make_error_code(std::errc::no_space_on_device);
        }
        if (unreadableKeys.contains(key)) {
            return std::make_error_code(std::errc::is_a_directory);
        }
        values.insert_or_assign(std::string(key), std::string(bytes));
        return {};
    }
    bool remove(std::string_view key) override {
        std::erase_if(values, [&](const auto& entry) { return entry.first == key; });
        return true;
    }
    bool setAside(std::string_view from, std::string_view to) override {
        remove(to);
        if (unreadableKeys.erase(std::string(from)) > 0) {
            unreadableKeys.emplace(to);
        }
        if (const auto found = values.find(from); found != values.end()) {
            values.insert_or_assign(std::string(to), found->second);
            values.erase(found);
        }
        return true;
    }
    std::error_code writeSettingAside(std::string_view key, std::string_view bytes,
                                      std::string_view asideKey) override {
        ++writeCount;
        if (failingKeys.contains(key)) {
            return std::make_error_code(std::errc::no_space_on_device);
        }
        if (values.contains(key) || unreadableKeys.contains(key)) {
            setAside(key, asideKey);
        }
        values.insert_or_assign(std::string(key), std::string(bytes));
        return {};
    }

    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> failingKeys;
    std::set<std::string, std::less<>> unreadableKeys;
    int writeCount = 0;
};

} // namespace purlo::testing

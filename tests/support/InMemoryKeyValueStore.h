#pragma once

#include "base/KeyValueStore.h"

#include <map>
#include <set>

namespace purlo::testing {

// Keeps values in memory; a key can be made to refuse writes, as a full disk would.
class InMemoryKeyValueStore final : public KeyValueStore {
public:
    std::optional<std::string> data(std::string_view key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    bool setData(std::string_view key, std::string_view bytes) override {
        ++writeCount;
        if (failingKeys.contains(std::string(key))) {
            return false;
        }
        values.insert_or_assign(std::string(key), std::string(bytes));
        return true;
    }
    bool remove(std::string_view key) override {
        std::erase_if(values, [&](const auto& entry) { return entry.first == key; });
        return true;
    }

    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> failingKeys;
    int writeCount = 0;
};

} // namespace purlo::testing

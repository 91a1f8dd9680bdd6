#pragma once

#include "base/Date.h"
#include "base/Enumeration.h"
#include "base/JsonText.h"

#include <concepts>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace purlo {

using Json = nlohmann::json;

// Thrown while a record is decoded: a value of the wrong type or an unknown raw
// value fails the record, and with it everything that contains it. It never
// leaves the function that decodes bytes (see decodeBytes).
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace detail {
template <typename T>
struct IsVector : std::false_type {};
template <typename T>
struct IsVector<std::vector<T>> : std::true_type {};
} // namespace detail

// Decodes one JSON value strictly: numbers only as numbers, booleans only as
// booleans, enumerations only by their exact raw value. Records decode through
// their from_json, found by argument-dependent lookup.
template <typename T>
T decodeValue(const Json& value) {
    if constexpr (std::same_as<T, std::string>) {
        if (!value.is_string()) {
            throw DecodeError("expected a string");
        }
        return value.get<std::string>();
    } else if constexpr (std::same_as<T, bool>) {
        if (!value.is_boolean()) {
            throw DecodeError("expected a boolean");
        }
        return value.get<bool>();
    } else if constexpr (std::same_as<T, double>) {
        if (!value.is_number()) {
            throw DecodeError("expected a number");
        }
        return value.get<double>();
    } else if constexpr (std::same_as<T, std::int64_t>) {
        if (value.is_number_integer()) {
            if (value.is_number_unsigned() &&
                value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
                throw DecodeError("integer out of range");
            }
            return value.get<std::int64_t>();
        }
        if (value.is_number_float()) {
            // A whole number written with a fraction ("25.0") is still an integer.
            const double number = value.get<double>();
            if (number >= -9223372036854775808.0 && number < 9223372036854775808.0 &&
                number == static_cast<double>(static_cast<std::int64_t>(number))) {
                return static_cast<std::int64_t>(number);
            }
        }
        throw DecodeError("expected an integer");
    } else if constexpr (std::same_as<T, Date>) {
        return Date{decodeValue<double>(value)};
    } else if constexpr (NamedEnum<T>) {
        if (!value.is_string()) {
            throw DecodeError("expected a raw value");
        }
        if (const auto decoded = fromString<T>(value.get_ref<const std::string&>())) {
            return *decoded;
        }
        throw DecodeError("unknown raw value");
    } else if constexpr (detail::IsVector<T>::value) {
        if (!value.is_array()) {
            throw DecodeError("expected an array");
        }
        T elements;
        elements.reserve(value.size());
        for (const Json& element : value) {
            elements.push_back(decodeValue<typename T::value_type>(element));
        }
        return elements;
    } else {
        T record;
        from_json(value, record);
        return record;
    }
}

// The keys of one JSON object, read tolerantly: an absent key and a null value
// both mean "not given"; a value of the wrong type fails the whole record.
class JsonFields {
public:
    explicit JsonFields(const Json& object)
        : object_(object) {
        if (!object.is_object()) {
            throw DecodeError("expected an object");
        }
    }

    // The value stored under key, or nullptr when it is absent or null.
    const Json* find(std::string_view key) const {
        const auto found = object_.find(key);
        if (found == object_.end() || found->is_null()) {
            return nullptr;
        }
        return &*found;
    }
    bool has(std::string_view key) const { return find(key) != nullptr; }
    // Present in the object at all, even as null.
    bool containsKey(std::string_view key) const { return object_.contains(key); }

    template <typename T>
    std::optional<T> optional(std::string_view key) const {
        if (const Json* value = find(key)) {
            return decodeValue<T>(*value);
        }
        return std::nullopt;
    }

    template <typename T>
    T value(std::string_view key, T fallback) const {
        if (const Json* found = find(key)) {
            return decodeValue<T>(*found);
        }
        return fallback;
    }

    template <typename T>
    T required(std::string_view key) const {
        if (const Json* found = find(key)) {
            return decodeValue<T>(*found);
        }
        throw DecodeError("missing key " + std::string(key));
    }

private:
    const Json& object_;
};

// Stored enumerations travel as their raw value.
template <NamedEnum E>
void to_json(Json& json, E value) {
    json = std::string(toString(value));
}

template <NamedEnum E>
void from_json(const Json& json, E& value) {
    value = decodeValue<E>(json);
}

inline void to_json(Json& json, Date date) {
    json = date.secondsSinceReferenceDate;
}

// Parses bytes and decodes them with decode; nothing when the bytes are not JSON, nest
// too deep (see parseJsonText) or the record does not decode. No exception leaves this
// function.
template <typename Decode>
auto decodeBytes(std::string_view bytes, Decode decode)
    -> std::optional<std::invoke_result_t<Decode, const Json&>> {
    const std::optional<Json> parsed = parseJsonText(bytes);
    if (!parsed) {
        return std::nullopt;
    }
    try {
        return decode(*parsed);
    } catch (const DecodeError&) {
        return std::nullopt;
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

// Writes JSON as compact UTF-8 text; nothing when a string holds invalid UTF-8.
std::optional<std::string> encodeBytes(const Json& json);

} // namespace purlo

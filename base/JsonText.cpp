#include "base/JsonText.h"

#include <algorithm>
#include <vector>

namespace purlo {
namespace {

using Json = nlohmann::json;

constexpr std::size_t indentStep = 2;

// The library hands over an integer it cannot hold as a float, with the text it read.
bool isIntegerText(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Builds the tree from the library's parse events, as its own parser would, but stops
// at the first container beyond the depth bound. The library keeps its parsing state
// on the heap, so even a refused file a million levels deep costs one linear pass.
class BoundedTreeBuilder {
public:
    explicit BoundedTreeBuilder(LongIntegers integers)
        : integers_(integers) {}

    bool null() { return add(nullptr); }
    bool boolean(bool value) { return add(value); }
    bool number_integer(Json::number_integer_t value) { return add(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return add(value); }
    bool number_float(Json::number_float_t value, const Json::string_t& text) {
        if (integers_ == LongIntegers::keptAsText && isIntegerText(text)) {
            return add(Json::binary(Json::binary_t::container_type(text.begin(), text.end())));
        }
        return add(value);
    }
    bool string(Json::string_t& value) { return add(std::move(value)); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(Json::object()); }
    bool key(Json::string_t& key) {
        key_ = std::move(key);
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t, const std::string&, const Json::exception&) { return false; }

    Json take() { return std::move(root_); }

private:
    // Containers only ever grow at their end while they are open, so the addresses kept
    // in open_ stay valid.
    Json& place(Json value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return root_;
        }
        Json& parent = *open_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return parent.back();
        }
        // A repeated key keeps its last value, as with the library's parser.
        return parent[key_] = std::move(value);
    }
    bool add(Json value) {
        place(std::move(value));
        return true;
    }
    bool open(Json container) {
        if (open_.size() == maximumJsonDepth) {
            return false;
        }
        open_.push_back(&place(std::move(container)));
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }

    LongIntegers integers_;
    Json root_;
    std::vector<Json*> open_;
    std::string key_;
};

void writePretty(const Json& json, std::size_t indent, std::string& out) {
    if (json.is_binary()) {
        const auto& text = json.get_binary();
        out.append(text.begin(), text.end());
        return;
    }
    if (!json.is_structured() || json.empty()) {
        out += json.dump();
        return;
    }
    const bool isObject = json.is_object();
    out += isObject ? "{\n" : "[\n";
    for (auto member = json.begin(); member != json.end(); ++member) {
        if (member != json.begin()) {
            out += ",\n";
        }
        out.append(indent + indentStep, ' ');
        if (isObject) {
            out += Json(member.key()).dump();
            out += ": ";
        }
        writePretty(*member, indent + indentStep, out);
    }
    out += '\n';
    out.append(indent, ' ');
    out += isObject ? '}' : ']';
}

} // namespace

std::optional<Json> parseJsonText(std::string_view bytes, LongIntegers integers) {
    // The library's reader takes a zero byte for the end of its input wherever it
    // stands, so what follows one would be ignored. JSON has no place for the byte
    // (inside a string it must be written as \u0000).
    if (bytes.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    BoundedTreeBuilder builder(integers);
    try {
        if (!Json::sax_parse(bytes, &builder)) {
            return std::nullopt;
        }
    } catch (const Json::exception&) {
        return std::nullopt;
    }
    return builder.take();
}

std::optional<std::string> prettyJsonText(const Json& json) {
    std::string out;
    try {
        writePretty(json, 0, out);
    } catch (const Json::exception&) {
        return std::nullopt;
    }
    return out;
}

} // namespace purlo

#include "model/JsonCoding.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(JsonCoding, IntegersAcceptOnlyWholeNumbersInRange) {
    EXPECT_EQ(decodeValue<std::int64_t>(Json::parse("25")), 25);
    EXPECT_EQ(decodeValue<std::int64_t>(Json::parse("25.0")), 25);
    EXPECT_EQ(decodeValue<std::int64_t>(Json::parse("-9223372036854775808")), INT64_MIN);
    EXPECT_THROW(decodeValue<std::int64_t>(Json::parse("25.5")), DecodeError);
    EXPECT_THROW(decodeValue<std::int64_t>(Json::parse("9223372036854775808")), DecodeError);
    EXPECT_THROW(decodeValue<std::int64_t>(Json::parse("1e300")), DecodeError);
    EXPECT_THROW(decodeValue<std::int64_t>(Json::parse("true")), DecodeError);
}

TEST(JsonCoding, BooleansAndStringsAreStrict) {
    EXPECT_THROW(decodeValue<bool>(Json::parse("1")), DecodeError);
    EXPECT_THROW(decodeValue<std::string>(Json::parse("1")), DecodeError);
    EXPECT_THROW(decodeValue<double>(Json::parse("\"1\"")), DecodeError);
    EXPECT_THROW(decodeValue<std::vector<double>>(Json::parse("{}")), DecodeError);
}

TEST(JsonCoding, AbsentAndNullTakeTheFallback) {
    const Json object = Json::parse(R"({"a": null, "b": 2})");
    const JsonFields fields(object);
    EXPECT_EQ(fields.value("a", 7.0), 7.0);
    EXPECT_EQ(fields.value("b", 7.0), 2.0);
    EXPECT_EQ(fields.value("c", 7.0), 7.0);
    EXPECT_THROW(fields.required<double>("a"), DecodeError);
    EXPECT_TRUE(fields.containsKey("a"));
    EXPECT_FALSE(fields.has("a"));
}

TEST(JsonCoding, BadBytesDecodeToNothing) {
    const auto decodeNumber = [](const Json& json) {
        return decodeValue<double>(json);
    };
    EXPECT_FALSE(decodeBytes("{", decodeNumber));
    EXPECT_FALSE(decodeBytes("", decodeNumber));
    EXPECT_FALSE(decodeBytes("\"x\"", decodeNumber));
    EXPECT_EQ(decodeBytes("2.5", decodeNumber), 2.5);
    EXPECT_FALSE(encodeBytes(Json(std::string("\xff\xfe"))));
}

} // namespace
} // namespace purlo

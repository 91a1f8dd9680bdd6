#pragma once

#include <memory>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace purlo {

// The order in which people expect a list of names in their language: letters as the
// language sorts them (Swedish puts "Äpple" after "Zed"), case-insensitive, with runs of
// digits compared by value ("look 2" before "look 10"). Copies share one collator,
// which only answers const questions, so they may be used from any thread. The collator
// and its rules are loaded at the first comparison: most runs never sort anything, and
// the rules are a sizeable part of what the program would otherwise hold from its start.
class NaturalOrder {
public:
    // localeIdentifier: "sv_SE"; empty or unknown gives the order of no particular
    // language.
    explicit NaturalOrder(std::string_view localeIdentifier);

    // Negative, zero or positive.
    int compare(std::string_view left, std::string_view right) const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

} // namespace purlo

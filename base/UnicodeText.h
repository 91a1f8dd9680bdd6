#pragma once

#include <string>
#include <string_view>

namespace purlo {

// Text helpers over ICU. Every function takes and returns UTF-8; invalid bytes are
// read as U+FFFD.

// Removes whitespace and newlines from both ends: spaces of every kind, tabs, line
// and paragraph separators, CR, LF, VT, FF and NEL. Inner whitespace stays.
std::string trimmedWhitespace(std::string_view text);

// Unicode lower case, the same in every locale.
std::string lowercased(std::string_view text);

// Folds away case and diacritics without a locale, then lower-cases: "Ébène" and
// "ebene" give the same text.
std::string foldedCaseAndDiacritics(std::string_view text);

// Whether two texts are the same text to a reader: equal once canonically composed
// (NFC), so "é" typed as one code point equals "e" followed by a combining acute.
// Texts that are already composed cost a check and no allocation; invalid bytes are
// compared as they are.
bool canonicallyEqual(std::string_view left, std::string_view right);

// The text with every control character written as an escape ("\x1b", "\u009b") and every
// byte that is not UTF-8 as its value ("\xff"), so that a terminal shown it can only print
// it: an argument printed back can then neither colour nor move nor clear anything.
std::string escapedControls(std::string_view text);

} // namespace purlo

#include "base/UnicodeText.h"

#include <cstdio>
#include <unicode/bytestream.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace purlo {
namespace {

icu::StringPiece piece(std::string_view text) {
    return {text.data(), static_cast<int32_t>(text.size())};
}

icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(piece(text));
}

// text in NFC, with invalid bytes left as they are; text itself when ICU cannot say.
std::string composed(const icu::Normalizer2& compose, std::string_view text) {
    std::string result;
    icu::StringByteSink<std::string> sink(&result, static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    compose.normalizeUTF8(0, piece(text), sink, nullptr, status);
    return U_SUCCESS(status) ? result : std::string(text);
}

std::string toUtf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

bool isWhitespaceOrNewline(UChar32 c) {
    if ((c >= 0x09 && c <= 0x0D) || c == 0x85) {
        return true;
    }
    const auto category = u_charType(c);
    return category == U_SPACE_SEPARATOR || category == U_LINE_SEPARATOR ||
           category == U_PARAGRAPH_SEPARATOR;
}

} // namespace

std::string trimmedWhitespace(std::string_view text) {
    const icu::UnicodeString unicode = fromUtf8(text);
    int32_t start = 0;
    int32_t end = unicode.length();
    while (start < end && isWhitespaceOrNewline(unicode.char32At(start))) {
        start = unicode.moveIndex32(start, 1);
    }
    while (end > start) {
        const int32_t previous = unicode.moveIndex32(end, -1);
        if (!isWhitespaceOrNewline(unicode.char32At(previous))) {
            break;
        }
        end = previous;
    }
    return toUtf8(icu::UnicodeString(unicode, start, end - start));
}

std::string lowercased(std::string_view text) {
    icu::UnicodeString unicode = fromUtf8(text);
    unicode.toLower(icu::Locale::getRoot());
    return toUtf8(unicode);
}

std::string foldedCaseAndDiacritics(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decompose = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return lowercased(text);
    }
    icu::UnicodeString unicode = fromUtf8(text);
    unicode.foldCase();
    const icu::UnicodeString decomposed = decompose->normalize(unicode, status);
    icu::UnicodeString withoutMarks;
    for (int32_t index = 0; index < decomposed.length(); index = decomposed.moveIndex32(index, 1)) {
        const UChar32 c = decomposed.char32At(index);
        if (u_charType(c) != U_NON_SPACING_MARK) {
            withoutMarks.append(c);
        }
    }
    icu::UnicodeString folded = compose->normalize(withoutMarks, status);
    if (U_FAILURE(status)) {
        return lowercased(text);
    }
    folded.toLower(icu::Locale::getRoot());
    return toUtf8(folded);
}

bool canonicallyEqual(std::string_view left, std::string_view right) {
    if (left == right) {
        return true;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return false;
    }
    const auto isComposed = [compose](std::string_view text) {
        UErrorCode checked = U_ZERO_ERROR;
        return compose->isNormalizedUTF8(piece(text), checked) && U_SUCCESS(checked);
    };
    // Each text has exactly one composed form, so two different composed texts differ.
    if (isComposed(left) && isComposed(right)) {
        return false;
    }
    return composed(*compose, left) == composed(*compose, right);
}

std::string escapedControls(std::string_view text) {
    const auto escape = [](const char* format, unsigned value) {
        char written[8];
        std::snprintf(written, sizeof written, format, value);
        return std::string(written);
    };
    std::string result;
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t next = 0; next < length;) {
        const int32_t start = next;
        UChar32 character = 0;
        U8_NEXT(text.data(), next, length, character);
        if (character < 0) {
            for (int32_t at = start; at < next; ++at) {
                result += escape("\\x%02x", static_cast<unsigned char>(text[at]));
            }
        } else if (u_charType(character) == U_CONTROL_CHAR) {
            result +=
                escape(character < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(character));
        } else {
            result.append(text.substr(start, next - start));
        }
    }
    return result;
}

} // namespace purlo

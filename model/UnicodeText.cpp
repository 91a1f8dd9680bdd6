#include "model/UnicodeText.h"

#include <memory>
#include <unicode/coll.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace purlo {
namespace {

icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
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

int naturalCompare(std::string_view left, std::string_view right) {
    // One collator per thread: ICU collators are not safe to share while comparing.
    thread_local const std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(
            icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) {
            return std::unique_ptr<icu::Collator>();
        }
        made->setStrength(icu::Collator::SECONDARY);
        made->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        return made;
    }();
    if (!collator) {
        return left.compare(right) < 0 ? -1 : (left == right ? 0 : 1);
    }
    UErrorCode status = U_ZERO_ERROR;
    const auto order = collator->compareUTF8(
        icu::StringPiece(left.data(), static_cast<int32_t>(left.size())),
        icu::StringPiece(right.data(), static_cast<int32_t>(right.size())), status);
    return order == UCOL_LESS ? -1 : (order == UCOL_EQUAL ? 0 : 1);
}

} // namespace purlo

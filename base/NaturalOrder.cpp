#include "base/NaturalOrder.h"

#include <string>
#include <unicode/coll.h>

namespace purlo {
namespace {

icu::StringPiece piece(std::string_view text) {
    return {text.data(), static_cast<int32_t>(text.size())};
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

NaturalOrder::NaturalOrder(std::string_view localeIdentifier) {
    UErrorCode status = U_ZERO_ERROR;
    // ICU falls back to the order of no particular language for a locale it has no
    // rules for.
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale(std::string(localeIdentifier).c_str()), status));
    if (U_FAILURE(status) || !collator) {
        return;
    }
    // Secondary strength tells accents apart but not case.
    collator->setStrength(icu::Collator::SECONDARY);
    collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    if (U_SUCCESS(status)) {
        collator_ = std::move(collator);
    }
}

int NaturalOrder::compare(std::string_view left, std::string_view right) const {
    if (!collator_) {
        return sign(left.compare(right));
    }
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order = collator_->compareUTF8(piece(left), piece(right), status);
    return U_FAILURE(status) ? sign(left.compare(right)) : order;
}

} // namespace purlo

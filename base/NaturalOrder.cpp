#include "base/NaturalOrder.h"

#include <mutex>
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

// Nothing when ICU has no collator to give.
std::unique_ptr<const icu::Collator> makeCollator(const std::string& localeIdentifier) {
    UErrorCode status = U_ZERO_ERROR;
    // ICU falls back to the order of no particular language for a locale it has no
    // rules for.
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale(localeIdentifier.c_str()), status));
    if (U_FAILURE(status) || !collator) {
        return nullptr;
    }
    // Secondary strength tells accents apart but not case.
    collator->setStrength(icu::Collator::SECONDARY);
    collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    return U_SUCCESS(status) ? std::move(collator) : nullptr;
}

} // namespace

struct NaturalOrder::Shared {
    std::string localeIdentifier;
    std::once_flag made;
    std::unique_ptr<const icu::Collator> collator;

    const icu::Collator* get() {
        std::call_once(made, [this] { collator = makeCollator(localeIdentifier); });
        return collator.get();
    }
};

NaturalOrder::NaturalOrder(std::string_view localeIdentifier)
    : shared_(std::make_shared<Shared>()) {
    shared_->localeIdentifier = localeIdentifier;
}

int NaturalOrder::compare(std::string_view left, std::string_view right) const {
    const icu::Collator* collator = shared_->get();
    if (!collator) {
        return sign(left.compare(right));
    }
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order = collator->compareUTF8(piece(left), piece(right), status);
    return U_FAILURE(status) ? sign(left.compare(right)) : order;
}

} // namespace purlo

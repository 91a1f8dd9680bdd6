#include "tests/ui/WidgetDriving.h"
#include "ui/PurloIntervalField.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::pressKey;
using testing::sendFocus;

// The number behind a field, as its owner keeps it.
struct Owner {
    std::int64_t stored = 30;
    int writes = 0;
    std::function<std::int64_t(std::int64_t)> keep = [](std::int64_t value) {
        return value;
    };

    Binding<std::int64_t> binding() {
        return {[this] { return stored; },
                [this](std::int64_t value) {
                    stored = keep(value);
                    ++writes;
                }};
    }
};

constexpr IntervalRange fiveTo120{5, 120};

void type(PurloIntervalField& field, const QString& text) {
    sendFocus(field.textField(), QEvent::FocusIn);
    field.textField().setText(text);
}

TEST(PurloIntervalField, ReturnCommitsWhatTheDraftStandsForAndShowsIt) {
    struct Case {
        QString draft;
        std::int64_t stored;
    };
    const Case cases[] = {
        {"45 min", 45}, {"-7", 7},
        {"3", 5},       {"500", 120},
        {"1 2 0", 120}, {"", 5},
        {"abc", 5},     {"99999999999999999999", 5},
        {"\u00BD", 5},                       // a vulgar fraction is numeric but no ASCII digit
        {"\u0663", 5},                       // so is an Arabic-Indic three
        {"1\u00BD", 5}, {"\u2167 hours", 5}, // a Roman numeral
        {"2.5", 25},
    };
    for (const Case& c : cases) {
        Owner owner;
        PurloIntervalField field(owner.binding(), fiveTo120, "min");
        type(field, c.draft);
        pressKey(field.textField(), Qt::Key_Return);
        EXPECT_EQ(owner.stored, c.stored) << c.draft.toStdString();
        EXPECT_EQ(owner.writes, 1) << c.draft.toStdString();
        EXPECT_EQ(field.draft(), QString::number(c.stored)) << c.draft.toStdString();
    }
}

TEST(PurloIntervalField, LosingFocusCommitsLikeReturnAndStoresEvenAnUnchangedNumber) {
    Owner owner;
    PurloIntervalField field(owner.binding(), fiveTo120, "min");
    EXPECT_EQ(field.draft(), "30");
    type(field, "45 min");
    EXPECT_TRUE(field.focused());
    sendFocus(field.textField(), QEvent::FocusOut);
    EXPECT_FALSE(field.focused());
    EXPECT_EQ(owner.stored, 45);
    EXPECT_EQ(field.draft(), "45");

    type(field, "45");
    sendFocus(field.textField(), QEvent::FocusOut);
    EXPECT_EQ(owner.writes, 2);
}

TEST(PurloIntervalField, ChangesFromElsewhereWaitWhileTheUserTypes) {
    Owner owner;
    PurloIntervalField field(owner.binding(), fiveTo120, "");
    EXPECT_EQ(field.unitLabel(), nullptr);

    type(field, "12");
    owner.stored = 90;
    field.valueDidChange();
    EXPECT_EQ(field.draft(), "12") << "the text being typed is left alone";

    sendFocus(field.textField(), QEvent::FocusOut);
    EXPECT_EQ(owner.stored, 12) << "the draft is committed over the outside change";

    owner.stored = 60;
    field.valueDidChange();
    EXPECT_EQ(field.draft(), "60") << "unfocused, the field shows the new value at once";
    EXPECT_EQ(owner.writes, 1);
}

TEST(PurloIntervalField, ShowsWhatItsOwnerStoredNotWhatItOffered) {
    Owner rounding;
    rounding.keep = [](std::int64_t value) {
        return value / 5 * 5;
    };
    PurloIntervalField roundingField(rounding.binding(), fiveTo120, "min");
    type(roundingField, "47");
    pressKey(roundingField.textField(), Qt::Key_Return);
    EXPECT_EQ(rounding.stored, 45);
    EXPECT_EQ(roundingField.draft(), "45");

    Owner refusing;
    refusing.keep = [&refusing](std::int64_t) {
        return refusing.stored;
    };
    PurloIntervalField refusingField(refusing.binding(), fiveTo120, "min");
    type(refusingField, "80");
    sendFocus(refusingField.textField(), QEvent::FocusOut);
    EXPECT_EQ(refusingField.draft(), "30");
}

} // namespace
} // namespace purlo

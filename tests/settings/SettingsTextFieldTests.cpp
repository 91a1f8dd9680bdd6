#include "model/UnicodeText.h"
#include "settings/PurloSettingsTextField.h"
#include "tests/settings/SettingsDriving.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

using testing::pressKey;
using testing::sendFocus;
using testing::typeOver;

// A stored name, trimmed on the way in the way the companion's name is.
struct StoredName {
    std::string stored = "Purlo";
    int writes = 0;
    Binding<std::string> binding{[this] { return stored; },
                                 [this](std::string text) {
                                     ++writes;
                                     stored = trimmedWhitespace(text);
                                 }};
};

enum class Step { focus, type, returnKey, blur, outside, hide };

TEST(PurloSettingsTextField, WritesTheDraftOnceWhenItIsCommittedAndNeverWhileTyping) {
    const struct {
        const char* what;
        std::vector<std::pair<Step, QString>> steps;
        int writes;
        std::string stored;
        QString shown;
    } cases[] = {
        {"typing alone writes nothing",
         {{Step::focus, {}}, {Step::type, "Nori"}},
         0,
         "Purlo",
         "Nori"},
        {"Return writes once, losing focus and hiding then nothing",
         {{Step::focus, {}},
          {Step::type, "  Mochi "},
          {Step::returnKey, {}},
          {Step::blur, {}},
          {Step::hide, {}}},
         1,
         "Mochi",
         "Mochi"},
        {"Return on an unchanged draft writes nothing",
         {{Step::focus, {}}, {Step::returnKey, {}}, {Step::blur, {}}},
         0,
         "Purlo",
         "Purlo"},
        {"losing focus commits",
         {{Step::focus, {}}, {Step::type, "Nori"}, {Step::blur, {}}},
         1,
         "Nori",
         "Nori"},
        {"hiding commits",
         {{Step::focus, {}}, {Step::type, "Nori"}, {Step::hide, {}}},
         1,
         "Nori",
         "Nori"},
        {"an outside change waits while focused, then the draft wins",
         {{Step::focus, {}}, {Step::type, "Nori"}, {Step::outside, "Miso"}, {Step::blur, {}}},
         1,
         "Nori",
         "Nori"},
        {"an outside change shows at once while unfocused",
         {{Step::outside, "Miso"}},
         0,
         "Miso",
         "Miso"},
        {"an untouched field writes nothing",
         {{Step::focus, {}}, {Step::blur, {}}, {Step::hide, {}}},
         0,
         "Purlo",
         "Purlo"},
    };
    for (const auto& c : cases) {
        StoredName owner;
        QWidget window;
        PurloSettingsTextField field(owner.binding, "Name", std::nullopt, Qt::AlignLeading, false,
                                     &window);
        window.show();
        QLineEdit& text = field.field().lineEdit();
        for (const auto& [step, argument] : c.steps) {
            switch (step) {
            case Step::focus:
                sendFocus(text, QEvent::FocusIn);
                break;
            case Step::type:
                typeOver(text, argument);
                break;
            case Step::returnKey:
                pressKey(text, Qt::Key_Return);
                break;
            case Step::blur:
                sendFocus(text, QEvent::FocusOut);
                break;
            case Step::outside:
                owner.stored = argument.toStdString();
                field.refresh();
                break;
            case Step::hide:
                field.hide();
                break;
            }
        }
        EXPECT_EQ(owner.writes, c.writes) << c.what;
        EXPECT_EQ(owner.stored, c.stored) << c.what;
        EXPECT_EQ(text.text().toStdString(), c.shown.toStdString()) << c.what;
    }
}

TEST(PurloTextField, StoresEveryKeystrokeAndAlignsLeadingOnlyWhileFocused) {
    std::string stored;
    int writes = 0;
    QWidget row;
    auto* fixed = new PurloTextField({[&] { return stored; },
                                      [&](std::string text) {
                                          ++writes;
                                          stored = std::move(text);
                                      }},
                                     "Look name", 120, Qt::AlignHCenter, true);
    auto* filling = new PurloTextField({[] { return std::string(); },
                                        [](std::string) {
                                        }},
                                       "Note");
    auto* stack = new QVBoxLayout(&row);
    stack->addWidget(fixed);
    stack->addWidget(filling);
    row.resize(400, 200);
    row.show();
    EXPECT_EQ(fixed->width(), 120);
    EXPECT_EQ(filling->width(),
              400 - stack->contentsMargins().left() - stack->contentsMargins().right());

    QLineEdit& text = fixed->lineEdit();
    EXPECT_EQ(text.placeholderText(), "Look name");
    EXPECT_TRUE(text.alignment() & Qt::AlignHCenter);
    sendFocus(text, QEvent::FocusIn);
    EXPECT_TRUE(text.alignment() & Qt::AlignLeading);
    for (const char* key : {"a", "b", "c"}) {
        pressKey(text, 0, key);
    }
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(stored, "abc");
    sendFocus(text, QEvent::FocusOut);
    EXPECT_TRUE(text.alignment() & Qt::AlignHCenter);
}

} // namespace
} // namespace purlo

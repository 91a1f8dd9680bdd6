#include "base/UnicodeText.h"
#include "settings/controls/PurloSettingsTextField.h"
#include "tests/settings/SettingsDriving.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::pressKey;
using testing::sendFocus;

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

// Runs the steps, one word each: "focus", "return", "blur" (focus leaves), "hide",
// "type:TEXT" and "outside:TEXT" (the stored text changes elsewhere); "_" in a TEXT
// stands for a space.
void run(const QString& steps, PurloSettingsTextField& field, StoredName& owner) {
    QLineEdit& text = field.field().lineEdit();
    for (const QString& step : steps.split(' ')) {
        const QString argument = step.section(':', 1).replace('_', ' ');
        if (step == "focus") {
            sendFocus(text, QEvent::FocusIn);
        } else if (step == "return") {
            pressKey(text, Qt::Key_Return);
        } else if (step == "blur") {
            sendFocus(text, QEvent::FocusOut);
        } else if (step == "hide") {
            field.hide();
        } else if (step.startsWith("type:")) {
            testing::typeOver(text, argument);
        } else if (step.startsWith("outside:")) {
            owner.stored = argument.toStdString();
            field.refresh();
        }
    }
}

TEST(PurloSettingsTextField, WritesTheDraftOnceWhenItIsCommittedAndNeverWhileTyping) {
    const struct {
        const char* steps;
        int writes;
        std::string stored;
        const char* shown;
    } cases[] = {
        {"focus type:Nori", 0, "Purlo", "Nori"},
        {"focus type:__Mochi_ return blur hide", 1, "Mochi", "Mochi"},
        {"focus return blur", 0, "Purlo", "Purlo"},
        {"focus type:Nori blur", 1, "Nori", "Nori"},
        {"focus type:Nori hide", 1, "Nori", "Nori"},
        {"focus type:Nori outside:Miso blur", 1, "Nori", "Nori"},
        {"outside:Miso", 0, "Miso", "Miso"},
        {"focus blur hide", 0, "Purlo", "Purlo"},
    };
    for (const auto& c : cases) {
        StoredName owner;
        QWidget window;
        PurloSettingsTextField field(owner.binding, "Name", std::nullopt, Qt::AlignLeading, false,
                                     &window);
        window.show();
        run(c.steps, field, owner);
        EXPECT_EQ(owner.writes, c.writes) << c.steps;
        EXPECT_EQ(owner.stored, c.stored) << c.steps;
        EXPECT_EQ(field.field().lineEdit().text().toStdString(), c.shown) << c.steps;
    }
}

} // namespace
} // namespace purlo

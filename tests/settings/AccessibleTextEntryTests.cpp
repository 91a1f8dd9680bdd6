#include "tests/settings/SettingsDriving.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace purlo {
namespace {

using testing::PageWindow;
using testing::RuntimeHarness;

// Sets the whole text of the field as a screen reader's tool does over the accessibility
// bus.
void setAsAReaderDoes(QLineEdit& field, const QString& text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&field);
    accessible->editableTextInterface()->replaceText(
        0, accessible->textInterface()->characterCount(), text);
}

// Inserts text as Qt's bridge hands a screen reader's insert to the field: padded out to the
// length the tool gives, which libatspi counts in bytes, and the padding left unfilled.
void insertAsTheBridgeDoes(QLineEdit& field, int position, const QString& text, int length) {
    QString resized(text);
    resized.resize(length);
    QAccessible::queryAccessibleInterface(&field)->editableTextInterface()->insertText(position,
                                                                                       resized);
}

std::function<std::string(RuntimeHarness&)> stored(std::string PurloSettings::*field) {
    return [field](RuntimeHarness& harness) {
        return harness.stored().*field;
    };
}

// Text that a screen reader's tool sets in a field is taken as typed text is: stored as
// typing would store it (at once when the focus is elsewhere, since no Return or loss of
// focus will follow), and shown as stored. Where nothing can be typed, the field is heard
// as read-only and keeps its text. Qt's line edit took such text without telling of an
// edit, showed it, and dropped it as the focus left.
TEST(AccessibleTextEntry, TextAReadersToolSetsIsStoredAsTypedTextIsOrRefusedWhereNoneTypes) {
    const PurloSettings remindersOn = testing::settingsWith([](PurloSettings& settings) {
        for (PurloHabitReminder& reminder : settings.habitReminders) {
            reminder.enabled = true;
        }
    });
    const auto reminder = [](std::size_t index, std::string PurloHabitReminder::*field) {
        return [index, field](RuntimeHarness& harness) {
            return harness.stored().habitReminders.at(index).*field;
        };
    };
    const auto focusMinutes = [](RuntimeHarness& harness) {
        return std::to_string(harness.stored().pomodoroFocusMinutes);
    };
    const auto waterInterval = [](RuntimeHarness& harness) {
        return std::to_string(harness.stored().habitReminders.at(0).intervalMinutes);
    };
    // The look saved with the name, as the field empties for the next one.
    const auto savedLook = [](RuntimeHarness& harness) {
        const auto looks = harness.stored().savedCatProfiles;
        return looks.empty() ? std::string() : looks.front().name;
    };
    const struct {
        const char* field;
        SettingsSectionTab page;
        PurloSettings settings;
        bool focused; // the focus is in the field as the text is set, and leaves after
        const char* set;
        std::function<std::string(RuntimeHarness&)> stored;
        const char* kept; // stored and shown after it
        bool refused;
    } rows[] = {
        {"Purlo's name",
         SettingsSectionTab::behavior,
         {},
         true,
         "  Mochi ",
         stored(&PurloSettings::companionName),
         "Mochi",
         false},
        {"Purlo's name",
         SettingsSectionTab::behavior,
         {},
         false,
         "Mochi",
         stored(&PurloSettings::companionName),
         "Mochi",
         false},
        {"What should Purlo call you?",
         SettingsSectionTab::behavior,
         {},
         false,
         " Ana ",
         stored(&PurloSettings::userName),
         " Ana ",
         false},
        {"Idle note",
         SettingsSectionTab::behavior,
         {},
         true,
         "nap time",
         stored(&PurloSettings::pinnedMessage),
         "nap time",
         false},
        {"Water message", SettingsSectionTab::focus, remindersOn, false, "drink up",
         reminder(0, &PurloHabitReminder::message), "drink up", false},
        {"Habit name", SettingsSectionTab::focus, remindersOn, true, "Walk",
         reminder(3, &PurloHabitReminder::title), "Walk", false},
        {"Focus length", SettingsSectionTab::focus, {}, false, "42", focusMinutes, "42", false},
        {"Look name",
         SettingsSectionTab::appearance,
         {},
         false,
         "Tabby",
         savedLook,
         "Tabby",
         false},
        {"Water message",
         SettingsSectionTab::focus,
         {},
         false,
         "drink up",
         reminder(0, &PurloHabitReminder::message),
         "sip water?",
         true},
        {"Water interval", SettingsSectionTab::focus, {}, false, "12", waterInterval, "90", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.field << (row.focused ? ", focused" : ""));
        PageWindow page(row.page, row.settings);
        QLineEdit* field = testing::fieldHeardAs(*page.tab, row.field);
        ASSERT_NE(field, nullptr);
        if (row.focused) {
            testing::sendFocus(*field, QEvent::FocusIn);
        }
        setAsAReaderDoes(*field, row.set);
        if (row.focused) {
            testing::sendFocus(*field, QEvent::FocusOut);
        }
        QAbstractButton* save = testing::button(*page.tab, "Save Look");
        if (save != nullptr) {
            EXPECT_TRUE(save->isEnabled());
            testing::click(*save);
        }
        EXPECT_EQ(row.stored(page.harness), row.kept);
        EXPECT_EQ(field->text().toStdString(), save != nullptr ? "" : row.kept)
            << "what the field shows";
        EXPECT_EQ(bool(QAccessible::queryAccessibleInterface(field)->state().readOnly),
                  row.refused);
    }
}

// A reader's insert is taken only as far as the tool sent it: never past its end, which the
// bridge's padding hides behind a NUL, nor at a place past the field's end. The settings
// stored a NUL and the program's memory after it, and a number field the digits in it.
TEST(AccessibleTextEntry, AnInsertTakesOnlyTheTextTheToolSent) {
    const PurloSettings named = testing::settingsWith([](PurloSettings& settings) {
        settings.companionName = "abc";
        settings.pomodoroFocusMinutes = 8;
        settings.habitReminders.at(3).title = "Walk";
        settings.habitReminders.at(3).enabled = true;
    });
    const auto focusMinutes = [](RuntimeHarness& harness) {
        return std::to_string(harness.stored().pomodoroFocusMinutes);
    };
    const auto habitName = [](RuntimeHarness& harness) {
        return harness.stored().habitReminders.at(3).title;
    };
    const struct {
        const char* field;
        SettingsSectionTab page;
        int position;
        const char* sent;
        int length; // as the tool gives it
        std::function<std::string(RuntimeHarness&)> stored;
        const char* kept;
    } rows[] = {
        // Two bytes of UTF-8 for one character.
        {"Purlo's name", SettingsSectionTab::behavior, 0, "é", 2,
         stored(&PurloSettings::companionName), "éabc"},
        {"Idle note", SettingsSectionTab::behavior, 0, "XY", 40,
         stored(&PurloSettings::pinnedMessage), "XY"},
        // Shorter than the text: only what the length covers was sent.
        {"Purlo's name", SettingsSectionTab::behavior, 1, "XYZ", 2,
         stored(&PurloSettings::companionName), "aXYbc"},
        {"Focus length", SettingsSectionTab::focus, 0, "XY", 40, focusMinutes, "8"},
        {"Habit name", SettingsSectionTab::focus, 99, "s", 1, habitName, "Walks"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.field << " + " << row.sent << " at "
                                          << row.position << ", " << row.length);
        PageWindow page(row.page, named);
        QLineEdit* field = testing::fieldHeardAs(*page.tab, row.field);
        ASSERT_NE(field, nullptr);
        insertAsTheBridgeDoes(*field, row.position, QString::fromUtf8(row.sent), row.length);
        EXPECT_EQ(row.stored(page.harness), row.kept);
        EXPECT_EQ(field->text().toStdString(), row.kept) << "what the field shows";
        const QAccessibleTextInterface* heard =
            QAccessible::queryAccessibleInterface(field)->textInterface();
        EXPECT_EQ(heard->text(0, heard->characterCount()).toStdString(), row.kept)
            << "what a reader reads";
    }
}

// A reader's edit never stores half a character. AT-SPI counts places and lengths in
// characters, the line edit in UTF-16 units, so an edge could fall between the two halves
// of 🐱 and a length cut it in two; the half left alone was stored as "?". An edge inside a
// pair moves past it, to where the tool's count of characters puts it, and a half left
// alone in what was sent is dropped.
TEST(AccessibleTextEntry, AnEditNeverStoresHalfACharacter) {
    using Edit = std::function<void(QLineEdit&)>;
    const auto insert = [](int position, const char* text, int length) -> Edit {
        return [=](QLineEdit& field) {
            insertAsTheBridgeDoes(field, position, QString::fromUtf8(text), length);
        };
    };
    const auto remove = [](int from, int to) -> Edit {
        return [=](QLineEdit& field) {
            QAccessible::queryAccessibleInterface(&field)->editableTextInterface()->deleteText(from,
                                                                                               to);
        };
    };
    const auto note = stored(&PurloSettings::pinnedMessage);
    const struct {
        const char* field;
        std::function<std::string(RuntimeHarness&)> stored;
        const char* before;
        Edit edit;
        const char* kept;
    } rows[] = {
        // One character sent, counted once: only its first half came.
        {"Idle note", note, "abcdef", insert(6, "🐱", 1), "abcdef"},
        {"Idle note", note, "abcdef", insert(6, "🐱", 2), "abcdef🐱"},
        {"Idle note", note, "ab", insert(0, "XY🐱", 3), "XYab"},
        // After the cat, the second character.
        {"What should Purlo call you?", stored(&PurloSettings::userName), "a🐱b", insert(2, "X", 1),
         "a🐱Xb"},
        // The cat, the second character; then the first.
        {"Idle note", note, "a🐱b", remove(1, 2), "ab"},
        {"Idle note", note, "🐱ab", remove(0, 1), "ab"},
        // A caret a reader puts inside the pair: the key typed next goes after the cat.
        {"Purlo's name", stored(&PurloSettings::companionName), "a🐱b",
         [](QLineEdit& field) {
             QAccessible::queryAccessibleInterface(&field)->textInterface()->setCursorPosition(2);
             testing::typeInto(field, "X");
         },
         "a🐱Xb"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.field << ", " << row.before << " -> " << row.kept);
        PageWindow page(SettingsSectionTab::behavior);
        QLineEdit* field = testing::fieldHeardAs(*page.tab, row.field);
        ASSERT_NE(field, nullptr);
        setAsAReaderDoes(*field, QString::fromUtf8(row.before));
        row.edit(*field);
        EXPECT_EQ(row.stored(page.harness), row.kept);
        EXPECT_EQ(field->text().toStdString(), row.kept) << "what the field shows";
    }
}

// Every question a reader asks about the items of a text answers at once, at every offset
// and for every kind, in the fields, the menus and Qt's own line edits (the save panel's).
// Qt's search for the word or sentence at the end of a text never returned, and a reader
// asks just that as the caret moves by word: she froze for good.
TEST(AccessibleTextEntry, EveryQuestionAboutTheTextAroundAnOffsetAnswersAtOnce) {
    using Ask =
        QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const Ask at = &QAccessibleTextInterface::textAtOffset;
    const Ask before = &QAccessibleTextInterface::textBeforeOffset;
    const Ask after = &QAccessibleTextInterface::textAfterOffset;
    PageWindow page(SettingsSectionTab::appearance);
    QLineEdit qtsOwn(QString::fromUtf8("Hi 🐱. Yo"));
    const auto menu = QAccessible::queryAccessibleInterface(page.control<QComboBox>("Pattern"));
    const struct {
        QAccessibleTextInterface* asked;
        Ask ask;
        int offset; // -1: the end, -2: the caret, there too
        QAccessible::TextBoundaryType kind;
        const char* heard;
        std::pair<int, int> place;
    } rows[] = {
        {menu->textInterface(), at, 6, QAccessible::WordBoundary, "", {6, 6}},
        {menu->textInterface(), before, -1, QAccessible::SentenceBoundary, "Tuxedo", {0, 6}},
        {menu->textInterface(), at, 7, QAccessible::WordBoundary, "", {-1, -1}},
        {QAccessible::queryAccessibleInterface(&qtsOwn)->textInterface(),
         at,
         -2,
         QAccessible::LineBoundary,
         "Hi 🐱. Yo",
         {0, 9}},
    };
    for (const auto& row : rows) {
        int start = 0;
        int end = 0;
        EXPECT_EQ((row.asked->*row.ask)(row.offset, row.kind, &start, &end).toStdString(),
                  row.heard);
        EXPECT_EQ(std::pair(start, end), row.place) << row.heard;
        const QString whole = row.asked->text(0, row.asked->characterCount());
        for (int offset = -3; offset <= whole.size() + 1; ++offset) {
            for (const int kind : {0, 1, 2, 4}) { // character, word, sentence, line
                for (const Ask ask : {at, before, after}) {
                    const QString heard = (row.asked->*ask)(
                        offset, QAccessible::TextBoundaryType(kind), &start, &end);
                    EXPECT_EQ(heard, whole.mid(start, end - start)) << offset;
                }
            }
        }
    }
}

// A text cut at a field's limit of 32,767 UTF-16 units is cut before a whole character,
// whether a reader, a paste or typing brings it: the cut left half of 🐱, stored as "?",
// even where the edit was far from the emoji.
TEST(AccessibleTextEntry, ACutAtTheFieldsLimitNeverSplitsACharacter) {
    const QString cat = QString::fromUtf8("🐱");
    const QString full(32766, u'x');
    const std::function<void(QLineEdit&)> edits[] = {
        [&](QLineEdit& field) { setAsAReaderDoes(field, full + cat); },
        [&](QLineEdit& field) {
            setAsAReaderDoes(field, full.left(32765) + cat);
            insertAsTheBridgeDoes(field, 0, "Y", 1);
        },
        [&](QLineEdit& field) {
            QApplication::clipboard()->setText(full + cat);
            field.paste();
        },
        [&](QLineEdit& field) {
            setAsAReaderDoes(field, full);
            testing::pressKey(field, 0, cat);
        },
    };
    for (const auto& edit : edits) {
        PageWindow page(SettingsSectionTab::behavior);
        QLineEdit* field = testing::fieldHeardAs(*page.tab, "Idle note");
        edit(*field);
        const std::string stored = page.harness.stored().pinnedMessage;
        // Its length and end: the whole of it would fill the screen.
        EXPECT_EQ(stored.size(), 32766u);
        EXPECT_EQ(stored.substr(stored.size() - 3), "xxx");
        EXPECT_EQ(field->text().toStdString(), stored) << "what the field shows";
    }
}

} // namespace
} // namespace purlo

#include "settings/HabitNudgeRow.h"

#include "settings/controls/HabitDraftTextField.h"
#include "settings/controls/WidgetOpacity.h"
#include "ui/AccessibleName.h"
#include "ui/KitFont.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <utility>

namespace purlo {
namespace {

constexpr int rowPadding = 16;
constexpr int rowSpacing = 18;
constexpr int textLineSpacing = 4;
// The quotation marks hug the message.
constexpr int quoteSpacing = 1;
constexpr int controlSpacing = 16;
constexpr int titleWidth = 158;
constexpr int messageWidth = 176;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The switch is heard as the reminder's nudge ("Water nudge"); a title that ends in the
// word already ("Gentle nudge") is heard as it is, not with the word twice.
QString switchName(const std::string& title) {
    const QString words = text(title);
    const QString last = words.trimmed().section(QLatin1Char(' '), -1);
    return last.compare(QStringLiteral("nudge"), Qt::CaseInsensitive) == 0
               ? words
               : words + QStringLiteral(" nudge");
}

PurloText* quotationMark(const QString& mark) {
    return new PurloText(mark, kitFont(13.5), PurloTheme::secondaryText);
}

} // namespace

HabitNudgeRow::HabitNudgeRow(PurloHabitReminder habit, Binding<std::string> title,
                             Binding<std::string> message, Binding<std::int64_t> intervalMinutes,
                             Binding<bool> enabled, std::function<void()> remove, QWidget* parent)
    : QWidget(parent)
    , habit_(std::move(habit))
    , enabled_(enabled)
    , remove_(std::move(remove))
    , messageField_(new HabitDraftTextField(std::move(message), QStringLiteral("a kind word"),
                                            messageWidth, !enabled(), true))
    , interval_(
          new PurloIntervalField(std::move(intervalMinutes), intervalRange, QStringLiteral("min")))
    , toggle_(new PurloToggle(std::move(enabled), switchName(habit_.title))) {
    if (isCustom()) {
        titleField_ = new HabitDraftTextField(std::move(title), QStringLiteral("Habit name"),
                                              titleWidth, !enabled_(), false);
    } else {
        fixedTitle_ = new PurloText(text(habit_.title), kitFont(15, QFont::DemiBold),
                                    PurloTheme::primaryText);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(rowPadding, rowPadding, rowPadding, rowPadding);
    row->setSpacing(rowSpacing);
    row->addWidget(textColumn());
    row->addStretch(1);
    row->addWidget(controls());
    nameControls();
    showEnabled();
}

void HabitNudgeRow::refresh(const PurloHabitReminder& habit) {
    habit_ = habit;
    if (fixedTitle_ != nullptr) {
        fixedTitle_->setText(text(habit_.title));
    }
    if (titleField_ != nullptr) {
        titleField_->refresh();
    }
    messageField_->refresh();
    interval_->valueDidChange();
    toggle_->refresh();
    nameControls();
    showEnabled();
}

QWidget* HabitNudgeRow::textColumn() {
    auto* messageLine = new QHBoxLayout;
    messageLine->setSpacing(quoteSpacing);
    messageLine->addWidget(quotationMark(QStringLiteral("\u201C")));
    messageLine->addWidget(messageField_);
    messageLine->addWidget(quotationMark(QStringLiteral("\u201D")));
    messageLine->addStretch(1);

    textColumn_ = new QWidget;
    auto* column = new QVBoxLayout(textColumn_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(textLineSpacing);
    column->addWidget(titleField_ != nullptr ? static_cast<QWidget*>(titleField_) : fixedTitle_, 0,
                      Qt::AlignLeading);
    column->addLayout(messageLine);
    return textColumn_;
}

QWidget* HabitNudgeRow::controls() {
    auto* cluster = new QWidget;
    auto* controls = new QHBoxLayout(cluster);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(controlSpacing);
    controls->addWidget(interval_);
    controls->addWidget(toggle_);
    if (isCustom()) {
        deleteButton_ = PurloGhostButtonStyle{true}.makeBody(QString(), "trash");
        deleteButton_->setToolTip(QStringLiteral("Delete custom habit"));
        connect(deleteButton_, &QAbstractButton::clicked, this, [this] { remove_(); });
        controls->addWidget(deleteButton_);
    }
    return cluster;
}

// A screen reader hears each control by the reminder it belongs to, as it is titled now;
// the title field by what it holds.
void HabitNudgeRow::nameControls() {
    if (titleField_ != nullptr) {
        nameForAssistiveTechnology(*titleField_, QStringLiteral("Habit name"));
    }
    nameForAssistiveTechnology(*messageField_, text(habit_.title + " message"));
    nameForAssistiveTechnology(*interval_, text(habit_.title + " interval"));
    nameForAssistiveTechnology(*toggle_, switchName(habit_.title));
    if (deleteButton_ != nullptr) {
        nameForAssistiveTechnology(*deleteButton_, text("Delete " + habit_.title));
    }
}

// The switch stays usable while the reminder is off: it is what turns it back on.
void HabitNudgeRow::showEnabled() {
    const bool on = enabled_();
    setWidgetOpacity(*textColumn_, on ? 1.0 : offOpacity);
    if (titleField_ != nullptr) {
        titleField_->setInputDisabled(!on);
    }
    messageField_->setInputDisabled(!on);
    interval_->setEnabled(on);
    setWidgetOpacity(*interval_, on ? 1.0 : offOpacity);
}

} // namespace purlo

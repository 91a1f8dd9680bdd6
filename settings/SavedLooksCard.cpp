#include "settings/SavedLooksCard.h"

#include "base/UnicodeText.h"
#include "settings/controls/ProfileChip.h"
#include "settings/controls/PurloFlowLayout.h"
#include "settings/controls/PurloTextField.h"
#include "ui/AccessibleName.h"
#include "ui/KitFont.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace purlo {
namespace {

constexpr int cardPadding = 15;
constexpr int stackSpacing = 12;
constexpr int saveRowSpacing = 9;

} // namespace

SavedLooksCard::SavedLooksCard(PurloRuntime& runtime, Binding<std::string> profileName,
                               QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime)
    , profileName_(std::move(profileName))
    , caption_(new PurloText(QStringLiteral("Save Purlo's current look to use it again later."),
                             kitFont(13), PurloTheme::tertiaryText))
    , chipArea_(new QWidget)
    , chipFlow_(new PurloFlowLayout(chipSpacing, chipArea_))
    , nameField_(new PurloTextField({profileName_.get,
                                     [this](std::string typed) {
                                         profileName_.set(std::move(typed));
                                         enableSaving();
                                     }},
                                    QStringLiteral("Look name")))
    , saveButton_(PurloPrimaryButtonStyle{.compact = true}.makeBody(QStringLiteral("Save Look"),
                                                                    "square.and.arrow.down")) {
    caption_->setWordWrap(true);
    // No row title stands beside the field: it is heard by what it is for.
    nameForAssistiveTechnology(*nameField_, QStringLiteral("Look name"));
    connect(saveButton_, &QAbstractButton::clicked, this, &SavedLooksCard::saveLook);

    auto* saveRow = new QHBoxLayout;
    saveRow->setContentsMargins(0, 0, 0, 0);
    saveRow->setSpacing(saveRowSpacing);
    saveRow->addWidget(nameField_);
    saveRow->addWidget(saveButton_, 0, Qt::AlignVCenter);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(cardPadding, cardPadding, cardPadding, cardPadding);
    stack->setSpacing(stackSpacing);
    stack->addWidget(caption_);
    stack->addWidget(chipArea_);
    stack->addLayout(saveRow);

    enableSaving();
    settingsSubscription_ = runtime_.settings().subscribe(
        [this](const PurloSettings& settings) { showProfiles(settings.savedCatProfiles); });
}

void SavedLooksCard::saveLook() {
    runtime_.saveCatProfile(trimmedWhitespace(profileName_()));
    profileName_.set({});
    nameField_->refresh();
    enableSaving();
}

void SavedLooksCard::showProfiles(const std::vector<CatProfile>& profiles) {
    const bool sameLooks =
        std::equal(profiles.begin(), profiles.end(), chips_.begin(), chips_.end(),
                   [](const CatProfile& profile, const ProfileChip* chip) {
                       return chip->profile() == profile;
                   });
    if (!sameLooks) {
        showChips(profiles);
    }
    caption_->setVisible(chips_.empty());
    chipArea_->setVisible(!chips_.empty());
}

// A look still saved as it was keeps its chip, and with it the chip's hover; a chip
// whose look went away may be the one whose click is running, so it is deleted later.
void SavedLooksCard::showChips(const std::vector<CatProfile>& profiles) {
    std::vector<ProfileChip*> unused = std::exchange(chips_, {});
    for (const CatProfile& profile : profiles) {
        const auto kept = std::find_if(unused.begin(), unused.end(), [&](const ProfileChip* chip) {
            return chip->profile() == profile;
        });
        if (kept != unused.end()) {
            chips_.push_back(*kept);
            unused.erase(kept);
        } else {
            chips_.push_back(makeChip(profile));
        }
    }
    for (ProfileChip* chip : unused) {
        chip->hide();
        chip->deleteLater();
    }
    while (QLayoutItem* item = chipFlow_->takeAt(0)) {
        delete item;
    }
    for (ProfileChip* chip : chips_) {
        chipFlow_->addWidget(chip);
        chip->show();
    }
}

ProfileChip* SavedLooksCard::makeChip(const CatProfile& profile) {
    return new ProfileChip(
        profile, [this, profile] { runtime_.applyCatProfile(profile); },
        [this, id = profile.id] { runtime_.deleteCatProfile(id); }, chipArea_);
}

void SavedLooksCard::enableSaving() {
    saveButton_->setEnabled(!trimmedWhitespace(profileName_()).empty());
}

} // namespace purlo

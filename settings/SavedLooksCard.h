#pragma once

#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"
#include "ui/Binding.h"

#include <QWidget>
#include <string>
#include <vector>

namespace purlo {

class ProfileChip;
class PurloButtonChrome;
class PurloFlowLayout;
class PurloText;
class PurloTextField;

// What the Saved Looks card holds: the saved looks as chips that apply or remove a
// look (or a line saying what the card is for while there are none), and a name field
// with a button that saves the cat's current look under that name. The name being
// typed belongs to the card's owner; the looks are the runtime's, shown as it
// publishes them, in its order.
class SavedLooksCard final : public QWidget {
    Q_OBJECT

public:
    static constexpr int chipSpacing = 8;

    SavedLooksCard(PurloRuntime& runtime, Binding<std::string> profileName,
                   QWidget* parent = nullptr);

    // Saves the current look under the typed name, trimmed, and empties the field.
    void saveLook();

    const std::vector<ProfileChip*>& chips() const { return chips_; }

private:
    void showProfiles(const std::vector<CatProfile>& profiles);
    void showChips(const std::vector<CatProfile>& profiles);
    ProfileChip* makeChip(const CatProfile& profile);
    void enableSaving();

    PurloRuntime& runtime_;
    Binding<std::string> profileName_;
    PurloText* caption_;
    QWidget* chipArea_;
    PurloFlowLayout* chipFlow_;
    PurloTextField* nameField_;
    PurloButtonChrome* saveButton_;
    std::vector<ProfileChip*> chips_;
    Cancellable settingsSubscription_;
};

} // namespace purlo

#pragma once

#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"
#include "ui/Binding.h"

#include <QWidget>
#include <string>
#include <vector>

namespace purlo {

class ColorDot;
class FurSwatch;
class PercentSlider;
class PurloSegmentedControl;
class PurloText;
class SettingsMenuPicker;

// The Appearance page: the cat's look (fur, pattern, eyes, accessory, size), the style
// of her bubbles and the saved looks, as three labelled cards one under the other. It
// keeps no copy of the settings: every control shows what the runtime publishes and
// stores its edit through the runtime at once, so the cat on the desktop changes while
// the user chooses. The page adds no padding around itself.
class AppearancePage final : public QWidget {
    Q_OBJECT

public:
    // profileName: the look name being typed into the Saved Looks card.
    AppearancePage(PurloRuntime& runtime, Binding<std::string> profileName,
                   QWidget* parent = nullptr);

private:
    QWidget* furPicker();
    QWidget* lookGrid();
    QWidget* bubbleStyleCard();
    void showSettings(const PurloSettings& settings);

    PurloRuntime& runtime_;
    PurloText* furTitle_;
    std::vector<FurSwatch*> swatches_;
    std::vector<SettingsMenuPicker*> pickers_;
    ColorDot* eyeDot_;
    PercentSlider* sizeSlider_;
    PurloSegmentedControl* bubbleStyle_;
    Cancellable settingsSubscription_;
};

} // namespace purlo

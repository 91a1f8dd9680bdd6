#include "settings/CompanionSettingsTab.h"

#include "settings/AppearancePage.h"
#include "settings/BehaviorPage.h"

#include <QVBoxLayout>

namespace purlo {

CompanionSettingsTab::CompanionSettingsTab(PurloRuntime& runtime, CompanionSettingsSection section,
                                           QWidget* parent)
    : QWidget(parent)
    , section_(section) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    if (section_ == CompanionSettingsSection::appearance) {
        stack->addWidget(new AppearancePage(runtime, {[this] { return profileName_; },
                                                      [this](std::string name) {
                                                          profileName_ = std::move(name);
                                                      }}));
    } else {
        stack->addWidget(new BehaviorPage(runtime));
    }
}

} // namespace purlo

#pragma once

#include "runtime/PurloRuntime.h"

#include <QWidget>
#include <string>

namespace purlo {

// The two sidebar sections the companion tab serves.
enum class CompanionSettingsSection { appearance, behavior };

// The tab behind the Appearance and Behavior sections. It shows one of their pages,
// fixed when the tab is made: the Appearance page for appearance, the Behavior page for
// behavior. It holds the look name being typed, which lives as long as the tab.
class CompanionSettingsTab final : public QWidget {
    Q_OBJECT

public:
    CompanionSettingsTab(PurloRuntime& runtime, CompanionSettingsSection section,
                         QWidget* parent = nullptr);

    CompanionSettingsSection section() const { return section_; }

private:
    CompanionSettingsSection section_;
    std::string profileName_;
};

} // namespace purlo

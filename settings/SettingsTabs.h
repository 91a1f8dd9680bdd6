#pragma once

#include "settings/SettingsSectionTab.h"

class QWidget;

namespace purlo {

class PurloRuntime;

// The page a tab shows under its heading, made anew each time the tab is chosen, so
// whatever a page holds unsaved (a half-typed name, the outcome of an action) starts
// fresh. Pages read and write the settings through runtime.
QWidget* makeSettingsTab(SettingsSectionTab tab, PurloRuntime& runtime);

} // namespace purlo

#pragma once

// The shared kit the windows are built from: buttons, status pill, folding sections,
// cards and their rows, the switch and the number field, all drawn in the theme of the
// window they sit in (see ui/PurloPalette.h).

#include "ui/Binding.h"
#include "ui/PurloButtonChrome.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloCard.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloDivider.h"
#include "ui/PurloGroupLabel.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloListRow.h"
#include "ui/PurloPalette.h"
#include "ui/PurloRowValue.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloStatusPill.h"
#include "ui/PurloSymbol.h"
#include "ui/PurloText.h"
#include "ui/PurloToggle.h"

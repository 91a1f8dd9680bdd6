#pragma once

#include "ui/PurloText.h"

namespace purlo {

// The bold heading above a group of cards; topPadding sets it apart from what is above.
class PurloGroupLabel final : public PurloText {
    Q_OBJECT

public:
    PurloGroupLabel(const QString& text, double topPadding, QWidget* parent = nullptr);
};

} // namespace purlo

#pragma once

#include "ui/PurloText.h"

namespace purlo {

// The value at the trailing end of a row: quiet unless strong, monospaced and smaller
// when it is a code-like value; several lines align to the trailing edge.
class PurloRowValue final : public PurloText {
    Q_OBJECT

public:
    PurloRowValue(const QString& text, bool strong, bool mono, QWidget* parent = nullptr);
};

} // namespace purlo

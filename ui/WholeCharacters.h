#pragma once

#include <QValidator>

namespace purlo {

// The text without any half of a character beyond the BMP (an emoji) left alone. A cut at a
// length in UTF-16 units can leave one, and it was stored as "?".
QString withoutLoneHalves(const QString& text);

// A line edit's text kept to whole characters. The line edit cuts what a paste, typing or a
// reader's edit brings at its limit of 32,767 UTF-16 units, and so could cut an emoji in
// two: the half left alone is dropped, so the text is cut before the whole character.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override;
};

} // namespace purlo

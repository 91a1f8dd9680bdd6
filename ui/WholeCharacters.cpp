#include "ui/WholeCharacters.h"

namespace purlo {

QString withoutLoneHalves(const QString& text) {
    QString whole;
    whole.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            whole.append(text[at]);
            whole.append(text[++at]);
        } else if (!text[at].isSurrogate()) {
            whole.append(text[at]);
        }
    }
    return whole;
}

QValidator::State WholeCharacters::validate(QString& text, int& cursor) const {
    cursor = static_cast<int>(withoutLoneHalves(text.left(cursor)).size());
    text = withoutLoneHalves(text);
    return Acceptable;
}

} // namespace purlo

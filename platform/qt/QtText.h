#pragma once

#include <QString>
#include <string_view>

namespace purlo {

// The program's UTF-8 text as Qt shows it.
inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace purlo

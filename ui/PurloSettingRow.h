#pragma once

#include <QString>
#include <QWidget>
#include <optional>

namespace purlo {

class PurloText;

// A settings row: the title, and under it an optional subtitle that wraps onto as many
// lines as it needs, on the leading side; the control on the trailing side. At least
// 54 points tall, its content centred. A control that assistive technology finds no
// name for is named by the title.
class PurloSettingRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimumRowHeight = 54;

    // Takes the control, which may be null for none.
    PurloSettingRow(const QString& title, const std::optional<QString>& subtitle, QWidget* control,
                    QWidget* parent = nullptr);

    // Shows another subtitle, or none.
    void setSubtitle(const std::optional<QString>& subtitle);

private:
    PurloText* subtitle_;
};

} // namespace purlo

#pragma once

#include <QString>
#include <QWidget>
#include <optional>

namespace purlo {

class PurloText;

// A settings row: the title, and under it an optional subtitle that wraps onto as many
// lines as it needs, on the leading side; the control on the trailing side. At least
// 54 points tall, its content centred.
class PurloSettingRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimumRowHeight = 54;

    // Takes the control.
    PurloSettingRow(const QString& title, const std::optional<QString>& subtitle, QWidget* control,
                    QWidget* parent = nullptr);

    const PurloText& title() const { return *title_; }
    // Nothing when the row was made without one.
    const PurloText* subtitle() const { return subtitle_; }
    QWidget& control() const { return *control_; }

private:
    PurloText* title_;
    PurloText* subtitle_ = nullptr;
    QWidget* control_;
};

} // namespace purlo

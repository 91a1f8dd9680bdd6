#pragma once

#include <QString>
#include <QWidget>

namespace purlo {

// A one-line status at a glance: a round badge in the state's colour with a white
// symbol, then the text in the same colour. No background of its own; as wide as the
// badge and the text.
class PurloStatusPill final : public QWidget {
    Q_OBJECT

public:
    enum class Variant {
        ok,      // a satisfied condition, such as a permission that is granted
        warn,    // something needs the user's attention
        never,   // something the program never does
        pending, // waiting for the user or the system
    };

    static constexpr double badgeDiameter = 18;
    static constexpr double spacing = 8;

    PurloStatusPill(Variant variant, const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Variant variant_;
    QString text_;
};

} // namespace purlo

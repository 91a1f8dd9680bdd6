#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace purlo {

// One line of text in one font and colour that never wraps: a text too long for its
// place ends in an ellipsis. Its height is the font's line.
class MenuLine final : public QWidget {
public:
    MenuLine(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor color_;
};

} // namespace purlo

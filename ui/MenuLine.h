#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace purlo {

// Text in one font and colour. A single line never wraps: a text too long for its place
// ends in an ellipsis, and its height is the font's line. A wrapping line breaks at
// spaces, or inside a word too long for any line, and is as tall as its lines.
class MenuLine final : public QWidget {
    Q_OBJECT

public:
    enum class Overflow { elide, wrap };

    MenuLine(const QFont& font, const QColor& color, QWidget* parent = nullptr,
             Overflow overflow = Overflow::elide);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor color_;
    Overflow overflow_;
};

} // namespace purlo

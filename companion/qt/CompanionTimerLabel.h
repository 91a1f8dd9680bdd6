#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace purlo {

// The Pomodoro countdown beside the cat: bold monospaced white text on a dark capsule.
class CompanionTimerLabel final : public QWidget {
    Q_OBJECT

public:
    explicit CompanionTimerLabel(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // The text's size with the capsule's padding around it.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
};

} // namespace purlo

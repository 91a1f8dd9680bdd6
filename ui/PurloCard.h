#pragma once

#include <QVBoxLayout>
#include <QWidget>

namespace purlo {

// A rounded, outlined card that stacks its rows one under the other, as wide as its
// place. It adds no padding: its rows bring their own.
class PurloCard final : public QWidget {
    Q_OBJECT

public:
    explicit PurloCard(double cornerRadius, QWidget* parent = nullptr);

    // Puts a row at the bottom of the card.
    void addWidget(QWidget* row);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double cornerRadius_;
    QVBoxLayout* content_;
};

} // namespace purlo

#pragma once

#include <QLayout>
#include <QList>

namespace purlo {

// A layout that sets its widgets left to right in rows, like words in a paragraph,
// each at its ideal size (see flowRows), except that a widget wider than the layout that
// can give way takes the layout's width. It is as tall as its rows need at the width it
// is given, and never asks for more width than its widest widget can make do with.
class PurloFlowLayout final : public QLayout {
    Q_OBJECT

public:
    explicit PurloFlowLayout(double spacing, QWidget* parent = nullptr);
    ~PurloFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    double spacing_;
    QList<QLayoutItem*> items_;
};

} // namespace purlo

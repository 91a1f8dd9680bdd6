#pragma once

#include "ui/Binding.h"

#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <string>

namespace purlo {

// A single-line text entry in the settings' look: the text on a rounded box in the
// control fill, outlined in the accent while it has focus. Every keystroke is stored
// through the binding; nothing is trimmed or checked here. The whole box, padding
// included, takes a click.
class PurloTextField final : public QWidget {
    Q_OBJECT

public:
    static constexpr double cornerRadius = 9;
    static constexpr int horizontalPadding = 12;
    static constexpr int verticalPadding = 9;

    // width: the field's whole width, padding included; without one the field fills
    // its row. alignment: where the text stands while the field has no focus (with
    // focus it always starts at the leading edge, where typing happens).
    PurloTextField(Binding<std::string> text, const QString& placeholder,
                   std::optional<int> width = std::nullopt,
                   Qt::Alignment alignment = Qt::AlignLeading, bool mono = false,
                   QWidget* parent = nullptr);

    // Shows the bound text again after it changed elsewhere.
    void refresh();

    bool focused() const { return focused_; }
    QLineEdit& lineEdit() const { return *lineEdit_; }

Q_SIGNALS:
    void focusChanged(bool focused);
    // Return was pressed in the field.
    void submitted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFocused(bool focused);

    Binding<std::string> text_;
    Qt::Alignment alignment_;
    QLineEdit* lineEdit_;
    bool focused_ = false;
};

} // namespace purlo

#pragma once

#include "ui/Binding.h"
#include "ui/FieldLineEdit.h"

#include <QFont>
#include <QMargins>
#include <QWidget>
#include <optional>
#include <string>

namespace purlo {

// A single-line text entry in the settings' look: the text on a rounded box in the
// control fill, outlined in the accent while it has focus, or the bare text alone.
// Every keystroke, like text that assistive technology sets, is stored through the
// binding; nothing is trimmed or checked here. A disabled field takes neither.
// The whole box, padding included, takes a click. The field's own right-click menu leaves
// it focused, so that the menu acts on its selection.
class PurloTextField final : public QWidget {
    Q_OBJECT

public:
    struct Style {
        QFont font;
        // Without a box the text stands bare, with no padding around it.
        bool boxed = true;
        double cornerRadius = 9;
        QMargins padding{12, 9, 12, 9};
    };

    // The settings pages' fields: the system font, 14 points semibold, or 13.5 points
    // monospaced.
    static Style settingsStyle(bool mono);

    // width: the field's whole width, padding included; without one the field fills
    // its row. alignment: where the text stands while the field has no focus (with
    // focus it always starts at the leading edge, where typing happens).
    PurloTextField(Binding<std::string> text, const QString& placeholder,
                   std::optional<int> width = std::nullopt,
                   Qt::Alignment alignment = Qt::AlignLeading, bool mono = false,
                   QWidget* parent = nullptr);
    PurloTextField(Binding<std::string> text, const QString& placeholder, std::optional<int> width,
                   Qt::Alignment alignment, Style style, QWidget* parent = nullptr);

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
    Style style_;
    FieldLineEdit* lineEdit_;
    bool focused_ = false;
};

} // namespace purlo

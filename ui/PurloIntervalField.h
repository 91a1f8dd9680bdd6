#pragma once

#include "ui/Binding.h"
#include "ui/FieldLineEdit.h"
#include "ui/IntervalDraft.h"

#include <QWidget>
#include <cstdint>
#include <functional>

namespace purlo {

class PurloText;

// A small number field with its unit, held inside a range. The text being typed is a
// draft: it is committed on Return and when the focus leaves the field (its own right-click
// menu keeps it, so that the menu's Paste and Delete act on the selection) or the field goes
// out of sight with its window, however that closes; it is then cleaned up by
// committedInterval, stored through the binding, and then replaced by what the binding
// holds, so the field always ends up showing the stored number. Changes made elsewhere
// show at once, except while the field has focus: what the user is typing is left alone.
// A number set while the field has no focus, as assistive technology may set it, is
// committed at once. A disabled field takes none.
class PurloIntervalField final : public QWidget {
    Q_OBJECT

public:
    static constexpr int textWidth = 46;
    static constexpr int unitSpacing = 9;

    // unit: the label after the field; empty for none.
    PurloIntervalField(Binding<std::int64_t> value, IntervalRange range, const QString& unit,
                       QWidget* parent = nullptr);

    // The one submit routine of the windows' fields: runs the commit it is given, once,
    // at once.
    static void commitOnSubmit(const std::function<void()>& action);

    QString draft() const { return textField_->text(); }
    bool focused() const { return focused_; }
    QLineEdit& textField() const { return *textField_; }
    // Nothing when the field has no unit.
    const PurloText* unitLabel() const { return unitLabel_; }

    // The bound value changed elsewhere.
    void valueDidChange();
    void commit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString storedText() const;
    void showStoredValue();
    void applyTextColors();

    Binding<std::int64_t> value_;
    IntervalRange range_;
    QWidget* box_;
    FieldLineEdit* textField_;
    PurloText* unitLabel_ = nullptr;
    bool focused_ = false;
};

} // namespace purlo

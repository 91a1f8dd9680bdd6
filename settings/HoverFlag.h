#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace purlo {

// A view's own hover flag, never stored: false at first, raised when the pointer comes
// in and lowered when it goes. Qt announces only crossings, so the flag is also lowered
// when the view hides, and checked against the pointer when the view moves or changes
// size under a pointer that stood still, so nothing stays lit where the pointer is not.
class HoverFlag final : public QObject {
public:
    // changed runs after each change of the flag. The flag lives no longer than view.
    HoverFlag(QWidget& view, std::function<void(bool)> changed);

    bool value() const { return value_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(bool hovering);
    bool pointerIsOverView() const;

    QWidget& view_;
    std::function<void(bool)> changed_;
    bool value_ = false;
};

} // namespace purlo

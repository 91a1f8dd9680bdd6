#pragma once

#include "platform/AlertPresenter.h"

#include <QPointer>
#include <QWidget>

namespace purlo {

// Alerts as message boxes: a sheet is a box modal to the window only, the modal one
// comes to the front of the desktop and waits.
class QtAlertPresenter final : public AlertPresenter {
public:
    // window may be null: then every alert is modal. It may close or go before the
    // presenter does.
    explicit QtAlertPresenter(QWidget* window)
        : window_(window) {}

    bool windowIsVisible() const override;
    void beginSheet(const Alert& alert, std::function<void(AlertAnswer)> answered) override;
    AlertAnswer runModal(const Alert& alert) override;

private:
    QPointer<QWidget> window_;
};

} // namespace purlo

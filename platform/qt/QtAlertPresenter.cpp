#include "platform/qt/QtAlertPresenter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace purlo {
namespace {

// Fills box with the alert; returns its buttons in the alert's order, the first one the
// default.
std::vector<QAbstractButton*> fill(QMessageBox& box, const Alert& alert) {
    box.setText(QString::fromStdString(alert.messageText));
    box.setInformativeText(QString::fromStdString(alert.informativeText));
    std::vector<QAbstractButton*> buttons;
    for (const std::string& title : alert.buttons) {
        QPushButton* button =
            box.addButton(QString::fromStdString(title),
                          buttons.empty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
        if (buttons.empty()) {
            box.setDefaultButton(button);
        }
        buttons.push_back(button);
    }
    return buttons;
}

AlertAnswer answerOf(const QMessageBox& box, const std::vector<QAbstractButton*>& buttons) {
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        if (box.clickedButton() == buttons[index]) {
            return index;
        }
    }
    return std::nullopt;
}

} // namespace

bool QtAlertPresenter::windowIsVisible() const {
    return window_ && window_->isVisible();
}

void QtAlertPresenter::beginSheet(const Alert& alert, std::function<void(AlertAnswer)> answered) {
    auto* box = new QMessageBox(window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    const auto buttons = fill(*box, alert);
    QObject::connect(
        box, &QMessageBox::finished, box,
        [box, buttons, answered = std::move(answered)] { answered(answerOf(*box, buttons)); });
    box->open();
}

AlertAnswer QtAlertPresenter::runModal(const Alert& alert) {
    QMessageBox box;
    const auto buttons = fill(box, alert);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    return answerOf(box, buttons);
}

} // namespace purlo

#include "settings/controls/ReplaceableContent.h"

#include <QVBoxLayout>

namespace purlo {

ReplaceableContent::ReplaceableContent(QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
}

void ReplaceableContent::replace(QWidget* content) {
    if (content_ != nullptr) {
        content_->hide();
        layout()->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = content;
    if (content_ != nullptr) {
        layout()->addWidget(content_);
        // A widget laid into a shown parent would otherwise appear only on the next
        // turn of the event loop.
        content_->show();
    }
}

} // namespace purlo

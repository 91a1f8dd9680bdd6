#include "platform/qt/QtBackgroundRunner.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

namespace purlo {

BackgroundRunner qtBackgroundRunner() {
    return [](std::function<void()> work, std::function<void()> done) {
        QThreadPool::globalInstance()->start([work = std::move(work), done = std::move(done)] {
            work();
            QMetaObject::invokeMethod(QCoreApplication::instance(), done, Qt::QueuedConnection);
        });
    };
}

} // namespace purlo

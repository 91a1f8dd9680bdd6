// The bridge below is a plugin built into the test program, which Qt finds among the
// accessibility bridges it looks for.
#define QT_STATICPLUGIN

#include "tests/settings/ToldToAScreenReader.h"

#include <QAccessibleBridgePlugin>
#include <QtPlugin>
#include <utility>

namespace purlo::testing {
namespace {

ToldToAScreenReader*& listening() {
    static ToldToAScreenReader* told = nullptr;
    return told;
}

class ListeningBridge final : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface*) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent* event) override {
        if (ToldToAScreenReader* told = listening()) {
            told->hear(*event);
        }
    }
};

} // namespace

class ListeningBridgePlugin final : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "ToldToAScreenReader.json")

public:
    QAccessibleBridge* create(const QString&) override { return new ListeningBridge; }
};

ToldToAScreenReader::ToldToAScreenReader(const QObject& object)
    : object_(object) {
    listening() = this;
}

ToldToAScreenReader::~ToldToAScreenReader() {
    listening() = nullptr;
}

std::string ToldToAScreenReader::take() {
    return std::exchange(told_, {}).join("; ").toStdString();
}

void ToldToAScreenReader::hear(const QAccessibleEvent& event) {
    if (event.object() != &object_) {
        return;
    }
    if (event.type() == QAccessible::ValueChanged) {
        told_.push_back(QStringLiteral("value"));
    } else if (event.type() == QAccessible::TextUpdated) {
        const auto& update = static_cast<const QAccessibleTextUpdateEvent&>(event);
        told_.push_back(update.textRemoved() + " → " + update.textInserted());
    }
}

} // namespace purlo::testing

Q_IMPORT_PLUGIN(ListeningBridgePlugin)

#include "ToldToAScreenReader.moc"

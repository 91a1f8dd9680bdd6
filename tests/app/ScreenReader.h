#pragma once

// The real program as a screen reader meets it: a session bus of the test's own with the
// accessibility bus that a desktop starts beside it, and the program's accessible objects
// read over that bus as a screen reader reads them.

#include "platform/Environment.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QThread>
#include <functional>
#include <optional>
#include <vector>

namespace purlo::testing {

// One accessible object of the program, where the bridge serves it.
struct AccessibleObject {
    QString service;
    QString path;
};

// What a screen reader reads of one accessible object.
struct ReadOut {
    AccessibleObject object;
    QString role; // as AT-SPI names it: "push button", "label", "frame"
    QString name;
    QString description;
    bool showing = false;
    bool focused = false;
    QRect extents; // on the screen
};

class ScreenReader final : public QObject {
    Q_OBJECT

public:
    // Starts the buses for a user of that environment and listens on them; nothing runs
    // where the desktop's bus programs are not installed.
    explicit ScreenReader(QProcessEnvironment user) {
        const QString launcher = launcherProgram();
        if (launcher.isEmpty()) {
            return;
        }
        session_.start(QStringLiteral("dbus-daemon"),
                       {"--session", "--nofork", "--print-address=1"});
        if (!session_.waitForStarted() || !session_.waitForReadyRead(5000)) {
            return;
        }
        sessionAddress_ = QString::fromUtf8(session_.readLine()).trimmed();
        // Without a display the launcher leaves the shared test display's root window
        // alone: programs find the bus through the session bus alone.
        user.remove(QStringLiteral("DISPLAY"));
        user.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionAddress_);
        launcher_.setProcessEnvironment(user);
        launcher_.start(launcher, {"--launch-immediately"});
        if (!launcher_.waitForStarted()) {
            return;
        }
        QDBusConnection session = QDBusConnection::connectToBus(sessionAddress_, sessionName());
        QString address;
        // Asked of the launcher started above alone. Asked before that one has taken its
        // name, the bus would start another from its service files, with the test's own
        // environment instead of the user's: where that one took the name first, the
        // accessibility bus lay outside the user's runtime folder, at a place every other
        // test's such launcher on the machine took over in turn, and the program met a
        // different bus than the reader.
        QDBusMessage getAddress = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                                                 "org.a11y.Bus", "GetAddress");
        getAddress.setAutoStartService(false);
        waitFor([&] {
            const QDBusMessage reply = session.call(getAddress);
            if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
                address = reply.arguments().front().toString();
            }
            return !address.isEmpty();
        });
        if (!address.isEmpty()) {
            bus_ = QDBusConnection::connectToBus(address, busName());
            listen();
        }
    }
    ~ScreenReader() override {
        QDBusConnection::disconnectFromBus(busName());
        QDBusConnection::disconnectFromBus(sessionName());
        for (QProcess* process : {&launcher_, &session_}) {
            process->terminate();
            process->waitForFinished();
        }
    }

    bool running() const { return bus_ && bus_->isConnected(); }

    // What a program needs in its environment to speak on these buses, with its bridge
    // switched on as a screen reader switches it on.
    Environment programEnvironment() const {
        return {{"DBUS_SESSION_BUS_ADDRESS", sessionAddress_.toStdString()},
                {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}};
    }

    // Runs the loop, which hands over what the bus tells, until condition holds; false
    // after ten seconds.
    static bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
        for (QDeadlineTimer end(milliseconds); !condition(); QThread::msleep(50)) {
            QCoreApplication::processEvents();
            if (end.hasExpired()) {
                return false;
            }
        }
        return true;
    }

    // Runs the loop until condition holds, and then for as long again as hold: false when it
    // never came, or went again meanwhile. What must happen once is known to have happened
    // once only when what would follow has had its time.
    static bool holdsOn(const std::function<bool()>& condition, int hold = 1000) {
        return waitFor(condition) && !waitFor([&] { return !condition(); }, hold);
    }

    // Runs the loop until what read gives has stayed the same for still milliseconds: false
    // when it keeps changing for thirty seconds. How long a burst of telling or a window's
    // moving lasts on a busy machine no fixed wait knows.
    template <typename Read>
    static bool settles(Read read, int still = 1000) {
        auto last = read();
        QDeadlineTimer unchanged(still);
        return waitFor(
            [&] {
                if (auto now = read(); now != last) {
                    last = std::move(now);
                    unchanged.setRemainingTime(still);
                }
                return unchanged.hasExpired();
            },
            30000);
    }

    // Once the program has told no name for a second.
    bool quiet() const {
        return settles([this] { return renamed_.size(); });
    }

    // The program's application object, once its bridge has joined the bus: the only
    // program on it.
    std::optional<AccessibleObject> program() const {
        std::optional<AccessibleObject> found;
        waitFor([&] {
            const auto programs =
                children({"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"});
            if (!programs.empty()) {
                found = programs.front();
            }
            return found.has_value();
        });
        return found;
    }

    std::vector<AccessibleObject> children(const AccessibleObject& object) const {
        std::vector<AccessibleObject> found;
        const QDBusMessage reply = call(object, "org.a11y.atspi.Accessible", "GetChildren");
        if (reply.arguments().isEmpty()) {
            return found;
        }
        const auto list = reply.arguments().front().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString service;
            QDBusObjectPath path;
            list.beginStructure();
            list >> service >> path;
            list.endStructure();
            found.push_back({service, path.path()});
        }
        list.endArray();
        return found;
    }

    ReadOut read(const AccessibleObject& object) const {
        ReadOut out;
        out.object = object;
        out.role = first(call(object, "org.a11y.atspi.Accessible", "GetRoleName")).toString();
        out.name = property(object, "Name");
        out.description = property(object, "Description");
        const QVariant states = first(call(object, "org.a11y.atspi.Accessible", "GetState"));
        const auto bits = qdbus_cast<QList<uint>>(states.value<QDBusArgument>());
        constexpr uint focused = 1u << 12;
        constexpr uint showing = 1u << 25;
        out.showing = !bits.isEmpty() && (bits.front() & showing) != 0;
        out.focused = !bits.isEmpty() && (bits.front() & focused) != 0;
        const QVariant box =
            first(call(object, "org.a11y.atspi.Component", "GetExtents", {QVariant(0u)}));
        if (box.canConvert<QDBusArgument>()) {
            int x = 0, y = 0, width = 0, height = 0;
            const auto rectangle = box.value<QDBusArgument>();
            rectangle.beginStructure();
            rectangle >> x >> y >> width >> height;
            rectangle.endStructure();
            out.extents = QRect(x, y, width, height);
        }
        return out;
    }

    // Everything shown below object, read in the order a screen reader walks it.
    std::vector<ReadOut> shownBelow(const AccessibleObject& object) const {
        std::vector<ReadOut> shown;
        for (const AccessibleObject& child : children(object)) {
            ReadOut out = read(child);
            if (out.showing) {
                shown.push_back(out);
                const auto below = shownBelow(child);
                shown.insert(shown.end(), below.begin(), below.end());
            }
        }
        return shown;
    }

    // The shown window (a frame, as AT-SPI calls it) of the program with that name, once
    // there.
    std::optional<ReadOut> window(const QString& name) const {
        std::optional<ReadOut> found;
        const auto application = program();
        waitFor([&] {
            for (const AccessibleObject& child :
                 application ? children(*application) : std::vector<AccessibleObject>{}) {
                if (ReadOut out = read(child);
                    out.showing && out.role == "frame" && out.name == name) {
                    found = out;
                }
            }
            return found.has_value();
        });
        return found;
    }

    // The first shown object below object with that role and name.
    std::optional<ReadOut> find(const AccessibleObject& object, const QString& role,
                                const QString& name) const {
        for (const ReadOut& out : shownBelow(object)) {
            if (out.role == role && out.name == name) {
                return out;
            }
        }
        return std::nullopt;
    }

    // The names of the windows the program told of as they were activated.
    const QStringList& activatedWindows() const { return activated_; }

    // Each name the program told of as it changed, with its object as read then.
    const std::vector<ReadOut>& nameChanges() const { return renamed_; }

private Q_SLOTS:
    void windowActivated(const QDBusMessage& message) {
        if (message.arguments().size() > 3) {
            activated_.push_back(
                message.arguments().at(3).value<QDBusVariant>().variant().toString());
        }
    }
    // The bridge tells only which object it was: the reader asks for the rest at once.
    void propertyChanged(const QDBusMessage& message) {
        if (!message.arguments().isEmpty() &&
            message.arguments().at(0).toString() == "accessible-name") {
            renamed_.push_back(read({message.service(), message.path()}));
        }
    }

private:
    // Asks every program to tell of windows as they are activated and of every change of an
    // object's name, before any program starts, as a screen reader that runs in the session
    // has asked long before. Qt's bridge reads the listeners once as it starts and only then
    // follows new ones, so a listener that comes in between is never told anything.
    void listen() {
        listen("org.a11y.atspi.Event.Window", "Activate", SLOT(windowActivated(QDBusMessage)),
               QStringLiteral("window:activate"));
        listen("org.a11y.atspi.Event.Object", "PropertyChange", SLOT(propertyChanged(QDBusMessage)),
               QStringLiteral("object:property-change:accessible-name"));
    }
    // Takes the bridge's signals of one kind to slot, and asks the registry for the event
    // they tell of.
    void listen(const char* interface, const char* signal, const char* slot, const QString& event) {
        bus_->connect(QString(), QString(), interface, signal, this, slot);
        bus_->call(QDBusMessage::createMethodCall("org.a11y.atspi.Registry",
                                                  "/org/a11y/atspi/registry",
                                                  "org.a11y.atspi.Registry", "RegisterEvent")
                   << event << QStringList() << QString());
    }
    static QString launcherProgram() {
        for (const char* place :
             {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"}) {
            if (QFileInfo(place).isExecutable()) {
                return place;
            }
        }
        return {};
    }
    QString sessionName() const {
        return QStringLiteral("purlo-test-session-%1").arg(reinterpret_cast<quintptr>(this));
    }
    QString busName() const {
        return QStringLiteral("purlo-test-accessibility-%1").arg(reinterpret_cast<quintptr>(this));
    }
    QDBusMessage call(const AccessibleObject& object, const char* interface, const char* method,
                      const QVariantList& arguments = {}) const {
        QDBusMessage message =
            QDBusMessage::createMethodCall(object.service, object.path, interface, method);
        message.setArguments(arguments);
        return bus_ ? bus_->call(message) : QDBusMessage();
    }
    static QVariant first(const QDBusMessage& reply) {
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                   ? reply.arguments().front()
                   : QVariant();
    }
    QString property(const AccessibleObject& object, const char* name) const {
        return first(call(object, "org.freedesktop.DBus.Properties", "Get",
                          {QStringLiteral("org.a11y.atspi.Accessible"), QString(name)}))
            .value<QDBusVariant>()
            .variant()
            .toString();
    }

    QProcess session_;
    QProcess launcher_;
    QString sessionAddress_;
    std::optional<QDBusConnection> bus_;
    QStringList activated_;
    std::vector<ReadOut> renamed_;
};

} // namespace purlo::testing

#pragma once

#include "platform/Environment.h"

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace purlo {

// One cat per user. The running program listens on a local socket of its own; a second
// start finds it there, asks it to reopen (it then shows onboarding or Settings) and
// ends instead of putting a second cat on the desktop. A socket left behind by a
// program that crashed answers nobody and is taken over.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    static constexpr std::string_view reopenMessage = "reopen";

    // "purlo.socket" in $XDG_RUNTIME_DIR when that is absolute (a folder only the user
    // can enter), else a name with the user's id, which Qt keeps in the temporary folder.
    static QString socketName(const Environment& environment);

    // Asks a program listening on name to reopen; true when one took the message.
    static bool handOver(const QString& name);

    // Listens on name from now on, calling onReopen for every reopen message; false when
    // another running program has it.
    bool listen(const QString& name, std::function<void()> onReopen);

private:
    void accept();

    QLocalServer server_;
    std::function<void()> onReopen_;
};

} // namespace purlo

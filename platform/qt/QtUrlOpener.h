#pragma once

#include "platform/UrlOpener.h"

#include <QObject>
#include <QString>

namespace purlo {

// Hands the URL to the desktop's opener (xdg-open), which opens it in the user's browser
// or mail program, and reports its verdict: a desktop without a browser or mail program
// makes the opener fail, which the user is told rather than left waiting. Without an
// opener program the URL goes to Qt's own desktop services.
class QtUrlOpener final : public UrlOpener {
public:
    // opener: the path of the desktop's opener program; empty for none.
    explicit QtUrlOpener(QString opener = desktopOpener());
    ~QtUrlOpener() override;

    void open(std::string_view url, Done done) override;

    // xdg-open as the search path finds it, or empty.
    static QString desktopOpener();

private:
    QString opener_;
    // The openers still running: they go, unheard, with this object.
    QObject launches_;
};

} // namespace purlo

#pragma once

#include "platform/Appearance.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <string_view>

class QColor;
class QProcess;

namespace purlo {

// The desktop's look as Qt sees it. Qt 6.4 has no colour-scheme setting, so the
// appearance is dark when the application palette's window colour is dark. Reduce
// motion follows GNOME's animations switch, asked through gsettings once at start and
// again when the palette changes (a theme switch is the likely moment it changed too),
// in the background so that neither start-up nor any frame waits for it. Where the
// question cannot be asked or answered, animations stay on. Both answers are kept, so
// reading them costs nothing.
class QtAppearance final : public QObject, public Appearance {
    Q_OBJECT

public:
    // gsettings get org.gnome.desktop.interface enable-animations
    static QStringList gnomeAnimationsQuery();

    // query: the program and arguments whose answer tells whether animations are on;
    // empty asks nothing.
    explicit QtAppearance(QStringList query = gnomeAnimationsQuery(), QObject* parent = nullptr);
    ~QtAppearance() override;

    bool reduceMotion() const override { return reduceMotion_; }
    bool darkAppearance() const override { return darkAppearance_; }

    static bool isDark(const QColor& windowColor);
    // gsettings answers "false" when the user turned animations off.
    static bool animationsTurnedOff(std::string_view answer);

Q_SIGNALS:
    // Either answer changed.
    void changed();

private:
    void readPalette();
    void askDesktop();
    void takeAnswer();
    void update(bool darkAppearance, bool reduceMotion);

    QStringList query_;
    QProcess* process_ = nullptr;
    QTimer giveUp_;
    bool darkAppearance_ = false;
    bool reduceMotion_ = false;
};

} // namespace purlo

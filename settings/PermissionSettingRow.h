#pragma once

#include <QWidget>
#include <functional>

namespace purlo {

class PurloButtonChrome;
class PurloStatusPill;

// The typing permission as a settings row: an "Allowed" pill once key timing can be
// read, else a button that runs the action (asking for it again).
class PermissionSettingRow final : public QWidget {
    Q_OBJECT

public:
    PermissionSettingRow(bool granted, std::function<void()> action, QWidget* parent = nullptr);

    // Hidden, not rebuilt: the grant may arrive while the button's own click is running.
    void showGranted(bool granted);

private:
    PurloStatusPill* pill_;
    PurloButtonChrome* button_;
};

} // namespace purlo

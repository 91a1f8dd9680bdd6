#pragma once

#include "settings/SettingsSectionTab.h"

#include <QAbstractButton>
#include <QColor>

namespace purlo {

// One tab's row in the Settings sidebar: its symbol and title on a rounded fill while
// chosen. Its object name is the row's stable identifier, "settings.sidebar." and the
// tab's raw value, and its accessible name the title a person sees. The row is chosen
// through its button group, so a screen reader hears which one is.
class SettingsSidebarRow final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int rowHeight = 30;
    static constexpr double cornerRadius = 6;
    static constexpr double iconSize = 16;
    static constexpr int iconLeft = 9;
    static constexpr int titleLeft = 34;
    static constexpr double titlePoints = 13;

    explicit SettingsSidebarRow(SettingsSectionTab tab, QWidget* parent = nullptr);

    SettingsSectionTab tab() const { return tab_; }
    // The colour the icon and title are drawn in now.
    QColor foreground() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    SettingsSectionTab tab_;
};

} // namespace purlo

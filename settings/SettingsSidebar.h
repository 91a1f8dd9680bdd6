#pragma once

#include "settings/SettingsSectionTab.h"

#include <QWidget>
#include <functional>

class QButtonGroup;

namespace purlo {

class SettingsSidebarRow;

// The Settings window's sidebar: the tabs in their two headed groups, "Purlo" and
// "Support", one row chosen at a time. A row chosen by any means (a click, the keys, or
// assistive technology) asks for its tab; a click anywhere else, the empty space below
// the rows included, changes nothing, so one row always stays chosen.
class SettingsSidebar final : public QWidget {
    Q_OBJECT

public:
    // The user may drag the sidebar's edge, within these bounds.
    static constexpr int narrowest = 170;
    static constexpr int idealWidth = 190;
    static constexpr int widest = 220;

    // choose: called with a row's tab when the row is chosen.
    explicit SettingsSidebar(std::function<void(SettingsSectionTab)> choose,
                             QWidget* parent = nullptr);

    void setSelectedTab(SettingsSectionTab tab);
    SettingsSidebarRow& row(SettingsSectionTab tab) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(SettingsSectionTab)> choose_;
    QButtonGroup* rows_;
};

} // namespace purlo

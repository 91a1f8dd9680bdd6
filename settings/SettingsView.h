#pragma once

#include "platform/Appearance.h"
#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"
#include "settings/PurloSettingsRouter.h"
#include "ui/ReleasedWhenHidden.h"

#include <QWidget>
#include <optional>

class QScrollArea;
class QVBoxLayout;

namespace purlo {

class PurloCharacterPreview;
class PurloText;
class SettingsSidebar;
class SettingsWindowChrome;

// The Settings window's content: the sidebar of tabs beside the chosen tab's heading
// and page. On Appearance the cat stands between heading and page, drawn from the
// settings as they change. The chosen tab lives in the router, so the window opens
// again on the tab it showed; a click in the sidebar and a request to open Settings on
// a tab both go through it. The view holds no settings of its own: its pages read and
// write them through the runtime.
class SettingsView final : public ReleasedWhenHidden<QWidget> {
    Q_OBJECT

public:
    // The window's fixed content size, where its screen holds it.
    static constexpr QSize contentSize{760, 620};

    // The runtime, the router and the appearance must outlive the view.
    SettingsView(PurloRuntime& runtime, PurloSettingsRouter& router, const Appearance& appearance,
                 QWidget* parent = nullptr);
    ~SettingsView() override;

    SettingsSidebar& sidebar() const { return *sidebar_; }
    // The chosen tab's page.
    QWidget& page() const { return *page_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* makeDetail();
    void showTab(SettingsSectionTab tab);

    PurloRuntime& runtime_;
    PurloSettingsRouter& router_;
    const Appearance& appearance_;
    SettingsSidebar* sidebar_;
    PurloText* heading_;
    QVBoxLayout* headingRow_;
    QWidget* previewHolder_;
    PurloCharacterPreview* preview_;
    QVBoxLayout* pageStack_;
    QScrollArea* scrollArea_;
    QWidget* page_ = nullptr;
    std::optional<SettingsSectionTab> shownTab_;
    SettingsWindowChrome* chrome_;
    Cancellable tabSubscription_;
    Cancellable settingsSubscription_;
};

} // namespace purlo

#include "settings/SettingsView.h"

#include "companion/qt/PurloCharacterPreview.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsTabs.h"
#include "settings/SettingsWindowChrome.h"
#include "ui/AccessibleName.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PurloScrollArea.h"
#include "ui/PurloText.h"
#include "ui/TabOrder.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace purlo {
namespace {

constexpr double headingPoints = 27;
constexpr QMargins headingPadding{24, 14, 24, 12};
// The cat above the Appearance page: looking a little to the left, level, as every
// preview starts, and standing in a band of fixed height across the pane.
constexpr double previewCatHeight = 150;
constexpr int previewBandHeight = 180;
// At her largest she stands this much taller than the band leaves room for, and grows up
// past its top into the heading's bottom padding, which the preview takes over.
constexpr int previewHeadroom = headingPadding.bottom();
constexpr Size previewGaze{-0.2, 0};
constexpr QMargins previewPadding{24, 0, 24, 12};
// No top padding: the heading's bottom padding keeps the page off it.
constexpr QMargins pagePadding{24, 0, 24, 28};
// The ring round a page that has the keys' focus follows the pane's rounding.
constexpr double pageFocusCornerRadius = 8;

} // namespace

SettingsView::SettingsView(PurloRuntime& runtime, PurloSettingsRouter& router,
                           const Appearance& appearance, QWidget* parent)
    : ReleasedWhenHidden(parent)
    , runtime_(runtime)
    , router_(router)
    , appearance_(appearance)
    , sidebar_(new SettingsSidebar([this](SettingsSectionTab tab) { router_.setSelectedTab(tab); }))
    , heading_(
          new PurloText(QString(), kitFont(headingPoints, QFont::Bold), PurloTheme::primaryText))
    , headingRow_(new QVBoxLayout)
    , previewHolder_(new QWidget)
    , preview_(new PurloCharacterPreview(*runtime.settings(), false, CatPose::idle,
                                         previewCatHeight, previewGaze))
    , pageStack_(new QVBoxLayout)
    , scrollArea_(new PurloScrollArea)
    , chrome_(new SettingsWindowChrome(this)) {
    // The height is the window's: the designed one where the screen holds it, less where
    // it does not, with the page scrolling to the rest.
    setMinimumWidth(contentSize.width());

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(sidebar_);
    splitter->addWidget(makeDetail());
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({SettingsSidebar::idealWidth, contentSize.width()});
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(splitter);

    settingsSubscription_ = runtime_.settings().subscribe(
        [this](const PurloSettings& settings) { preview_->setSettings(settings); });
    tabSubscription_ =
        router_.selectedTab().subscribe([this](SettingsSectionTab tab) { showTab(tab); });
    // The window opens with the keyboard on itself rather than on its first row: the focus
    // ring shows once the user moves the keyboard to a control, not on every opening.
    setFocus(Qt::OtherFocusReason);
}

SettingsView::~SettingsView() = default;

// The heading, the preview band and the scrolling page, top to bottom on the window's
// ground.
QWidget* SettingsView::makeDetail() {
    auto* detail = new QWidget;
    detail->setAutoFillBackground(true);
    detail->setBackgroundRole(QPalette::Window);
    auto* stack = new QVBoxLayout(detail);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    headingRow_->setContentsMargins(headingPadding);
    headingRow_->addWidget(heading_);
    stack->addLayout(headingRow_);

    preview_->setHeadroom(previewHeadroom);
    preview_->setFixedHeight(previewHeadroom + previewBandHeight);
    preview_->setReduceMotion(appearance_.reduceMotion());
    auto* previewRow = new QVBoxLayout(previewHolder_);
    previewRow->setContentsMargins(previewPadding);
    previewRow->addWidget(preview_);
    stack->addWidget(previewHolder_);

    auto* content = new QWidget;
    content->setLayout(pageStack_);
    pageStack_->setContentsMargins(pagePadding);
    pageStack_->setSpacing(0);
    pageStack_->addStretch(1);
    scrollArea_->setWidget(content);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The pane's ground shows through the scrolling area.
    scrollArea_->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    // The keys scroll a page once the page has their focus, which a ring inside it shows.
    showFocusInside(*scrollArea_, pageFocusCornerRadius);
    stack->addWidget(scrollArea_, 1);
    return detail;
}

// Reduce motion may have changed while the window was closed.
void SettingsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    preview_->setReduceMotion(appearance_.reduceMotion());
}

// Tab follows the layouts: a page's rows, chips and forms are built as the settings change,
// after the controls below them joined the window.
bool SettingsView::focusNextPrevChild(bool next) {
    return moveFocusAsLaidOut(*this, next);
}

// The same tab asked for again keeps its page as it is; another tab gets a new one. The
// page that scrolls takes the keyboard, and a screen reader hears it by its heading.
void SettingsView::showTab(SettingsSectionTab tab) {
    sidebar_->setSelectedTab(tab);
    heading_->setText(QString::fromUtf8(title(tab)));
    nameForAssistiveTechnology(*scrollArea_, heading_->text());
    const bool showsPreview = tab == SettingsSectionTab::appearance;
    previewHolder_->setVisible(showsPreview);
    QMargins headingMargins = headingPadding;
    headingMargins.setBottom(showsPreview ? headingPadding.bottom() - previewHeadroom
                                          : headingPadding.bottom());
    headingRow_->setContentsMargins(headingMargins);
    if (shownTab_ != tab) {
        shownTab_ = tab;
        if (page_ != nullptr) {
            // Later: the page may be the one whose click brought us here.
            page_->hide();
            page_->deleteLater();
        }
        page_ = makeSettingsTab(tab, runtime_);
        pageStack_->insertWidget(0, page_);
        page_->show();
        scrollArea_->verticalScrollBar()->setValue(0);
    }
    chrome_->refresh();
}

} // namespace purlo

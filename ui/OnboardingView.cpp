#include "ui/OnboardingView.h"

#include "companion/qt/SurfaceAppearance.h"
#include "ui/AccessibleName.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/OnboardingSlides.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloDivider.h"
#include "ui/PurloScrollArea.h"
#include "ui/PurloText.h"
#include "ui/TabOrder.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <utility>

namespace purlo {
namespace {

constexpr int permissionsSlide = 2;
constexpr double slideFocusCornerRadius = 8;

// The bar under the slides, on the card colour.
class BottomBar final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), themeQColor(PurloTheme::cardBackground, *this));
    }
};

bool isLastSlide(int slide) {
    return slide != 1 && slide != permissionsSlide;
}

} // namespace

OnboardingView::OnboardingView(PurloRuntime& runtime, const Appearance& appearance, int slide,
                               std::function<void()> close, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime)
    , appearance_(appearance)
    , close_(std::move(close))
    , scrollArea_(new PurloScrollArea)
    , slideStack_(new QVBoxLayout)
    , divider_(new PurloDivider(themeQColor(PurloTheme::border, *this)))
    , backButton_(PurloGhostButtonStyle{}.makeBody(QStringLiteral("Back")))
    , counter_(new PurloText(QString(), kitFont(13), PurloTheme::secondaryText))
    , primaryButton_(PurloPrimaryButtonStyle{}.makeBody(QString())) {
    setFixedSize(fixedSize);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);

    auto* slideArea = new QWidget;
    slideArea->setLayout(slideStack_);
    slideStack_->setContentsMargins(32, 32, 32, 32);
    slideStack_->setSpacing(0);
    slideStack_->addStretch(1);
    scrollArea_->setWidget(slideArea);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's own background shows through the scrolling area.
    scrollArea_->viewport()->setAutoFillBackground(false);
    slideArea->setAutoFillBackground(false);
    // The keys scroll a slide too long for a short screen once the slide has their focus.
    showFocusInside(*scrollArea_, slideFocusCornerRadius);

    auto* bar = new BottomBar;
    auto* barStack = new QVBoxLayout(bar);
    barStack->setContentsMargins(0, 0, 0, 0);
    barStack->setSpacing(0);
    barStack->addWidget(divider_);
    auto* controls = new QHBoxLayout;
    // The divider lies over the bar's top edge, inside its 16 points of padding.
    controls->setContentsMargins(24, 15, 24, 16);
    controls->setSpacing(8);
    controls->addWidget(backButton_);
    controls->addWidget(counter_);
    controls->addStretch(1);
    controls->addWidget(primaryButton_);
    barStack->addLayout(controls);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(scrollArea_, 1);
    stack->addWidget(bar);

    connect(backButton_, &QAbstractButton::clicked, this, [this] { showSlide(slide_ - 1); });
    connect(primaryButton_, &QAbstractButton::clicked, this, [this] { primaryAction(); });
    showSlide(slide);
    privacySubscription_ = runtime_.privacySummary().subscribe(
        [this](const PrivacySummary&) { updatePrimaryTitle(); });
    // The window opens with the keyboard on itself rather than on the slide: the focus ring
    // shows once the user moves the keyboard, and Return runs the primary button.
    setFocus(Qt::OtherFocusReason);
}

QString OnboardingView::primaryTitle(int slide, bool inputMonitoringGranted) {
    if (isLastSlide(slide)) {
        return QStringLiteral("Meet her on your desktop");
    }
    if (slide == permissionsSlide && !inputMonitoringGranted) {
        return QStringLiteral("Later");
    }
    return QStringLiteral("Continue");
}

// Tab follows the layouts: each slide is built as it is shown, after the bar below it
// joined the window.
bool OnboardingView::focusNextPrevChild(bool next) {
    return moveFocusAsLaidOut(*this, next);
}

// A focused button takes Return itself; Return anywhere else runs the primary button.
void OnboardingView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        primaryButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OnboardingView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        divider_->setColor(themeQColor(PurloTheme::border, *this));
    }
}

void OnboardingView::showSlide(int slide) {
    slide_ = slide;
    if (currentSlide_ != nullptr) {
        // Later: the slide may be the one whose key press brought us here.
        currentSlide_->hide();
        currentSlide_->deleteLater();
    }
    if (slide == 1) {
        currentSlide_ = new OnboardingHelloSlide(runtime_, appearance_);
    } else if (slide == permissionsSlide) {
        currentSlide_ = new OnboardingPermissionsSlide(runtime_, appearance_);
    } else {
        currentSlide_ = new OnboardingFirstStepsSlide(runtime_, appearance_);
    }
    slideStack_->insertWidget(0, currentSlide_);
    // Shown now, not on the layout's next turn, so the window never draws without a slide.
    currentSlide_->show();
    scrollArea_->verticalScrollBar()->setValue(0);
    // The slide that scrolls takes the keyboard, and a screen reader hears it by its title.
    nameForAssistiveTechnology(*scrollArea_,
                               currentSlide_->findChild<OnboardingHeading*>()->title());

    backButton_->setVisible(slide != 1);
    counter_->setText(QStringLiteral("%1 of %2").arg(slide).arg(slideCount));
    counter_->setAccessibleName(QStringLiteral("Step %1 of %2").arg(slide).arg(slideCount));
    updatePrimaryTitle();
}

void OnboardingView::updatePrimaryTitle() {
    primaryButton_->setText(
        primaryTitle(slide_, runtime_.privacySummary()->inputMonitoringGranted));
}

// Completing stores the flag before the window closes, so quitting straight after
// finishing never brings onboarding back.
void OnboardingView::primaryAction() {
    if (isLastSlide(slide_)) {
        runtime_.completeOnboarding();
        if (close_) {
            close_();
        }
        return;
    }
    showSlide(slide_ + 1);
}

} // namespace purlo

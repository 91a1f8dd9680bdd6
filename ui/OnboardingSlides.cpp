#include "ui/OnboardingSlides.h"

#include "companion/qt/PurloCharacterPreview.h"
#include "platform/LinuxWordings.h"
#include "ui/KitFont.h"
#include "ui/OnboardingFurPicker.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloSymbol.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace purlo {
namespace {

constexpr int slideSpacing = 24;
constexpr double previewCatHeight = 200;
// Every preview starts with her looking a little to the left, level.
constexpr Size startingGaze{-0.2, 0};

QVBoxLayout* slideLayout(QWidget* slide, const QString& title, const QString& subtitle) {
    auto* stack = new QVBoxLayout(slide);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(slideSpacing);
    stack->addWidget(new OnboardingHeading(title, subtitle));
    return stack;
}

PurloText* paragraph(const QString& text, double points, const AppearanceColor& color) {
    auto* label = new PurloText(text, kitFont(points), color);
    label->setWordWrap(true);
    return label;
}

PurloCharacterPreview* makePreview(PurloRuntime& runtime, const Appearance& appearance,
                                   bool followsPointer, CatPose pose, int height) {
    auto* preview = new PurloCharacterPreview(*runtime.settings(), followsPointer, pose,
                                              previewCatHeight, startingGaze);
    preview->setFixedHeight(height);
    preview->setReduceMotion(appearance.reduceMotion());
    return preview;
}

// The preview draws whatever look the runtime publishes.
Cancellable showingSettings(PurloRuntime& runtime, PurloCharacterPreview* preview) {
    return runtime.settings().subscribe(
        [preview](const PurloSettings& settings) { preview->setSettings(settings); });
}

} // namespace

OnboardingHeading::OnboardingHeading(const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent)
    , title_(title) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(14);
    auto* titleText = new PurloText(title, kitFont(34, QFont::DemiBold), PurloTheme::primaryText);
    titleText->setWordWrap(true);
    stack->addWidget(titleText);
    stack->addWidget(paragraph(subtitle, 18, PurloTheme::secondaryText));
}

OnboardingHelloSlide::OnboardingHelloSlide(PurloRuntime& runtime, const Appearance& appearance,
                                           QWidget* parent)
    : QWidget(parent)
    , preview_(makePreview(runtime, appearance, true, CatPose::idle, 330)) {
    QVBoxLayout* stack = slideLayout(this, QStringLiteral("Move your cursor. Say hello."),
                                     QStringLiteral("She\u2019s watching."));
    stack->addWidget(preview_);
    stack->addWidget(
        paragraph(QStringLiteral("Move the pointer around the preview and watch her follow."), 16,
                  PurloTheme::secondaryText));
    settingsSubscription_ = showingSettings(runtime, preview_);
}

OnboardingPermissionsSlide::OnboardingPermissionsSlide(PurloRuntime& runtime,
                                                       const Appearance& appearance,
                                                       QWidget* parent)
    : QWidget(parent)
    , preview_(makePreview(runtime, appearance, false, CatPose::typing, 270))
    , readyLabel_(new QWidget)
    , requestAccess_(PurloPrimaryButtonStyle{}.makeBody(
          QString::fromUtf8(LinuxWordings::typingPermissionButton)))
    , missingAccessHint_(paragraph(QString::fromUtf8(LinuxWordings::typingPermissionHint), 13,
                                   PurloTheme::secondaryText)) {
    QVBoxLayout* stack = slideLayout(this, QStringLiteral("Let her tap along."),
                                     QString::fromUtf8(LinuxWordings::typingPermissionSubtitle));
    stack->addWidget(preview_);
    stack->addWidget(
        paragraph(QStringLiteral("Typing reaction preview"), 13, PurloTheme::secondaryText));
    stack->addWidget(paragraph(QString::fromUtf8(LinuxWordings::typingPermissionExplanation), 15,
                               PurloTheme::primaryText));

    auto* ready = new QHBoxLayout(readyLabel_);
    ready->setContentsMargins(0, 0, 0, 0);
    ready->setSpacing(6);
    ready->addWidget(new PurloSymbol("checkmark.circle.fill", QSizeF(16, 16),
                                     PurloTheme::primaryText, QSize(18, 18)));
    ready->addWidget(new PurloText(QStringLiteral("Typing reactions are ready"), kitFont(13),
                                   PurloTheme::primaryText));
    ready->addStretch(1);
    readyLabel_->setAccessibleName(QStringLiteral("Typing reactions are ready"));
    stack->addWidget(readyLabel_);
    stack->addWidget(requestAccess_, 0, Qt::AlignLeft);
    stack->addWidget(missingAccessHint_);
    connect(requestAccess_, &QAbstractButton::clicked, this,
            [&runtime] { runtime.requestInputMonitoringPermission(); });

    settingsSubscription_ = showingSettings(runtime, preview_);
    privacySubscription_ = runtime.privacySummary().subscribe(
        [this](const PrivacySummary& summary) { showGrant(summary.inputMonitoringGranted); });
}

// Hidden, not deleted: the grant may arrive while the button's own click is running.
void OnboardingPermissionsSlide::showGrant(bool granted) {
    readyLabel_->setVisible(granted);
    requestAccess_->setVisible(!granted);
    missingAccessHint_->setVisible(!granted);
}

OnboardingFirstStepsSlide::OnboardingFirstStepsSlide(PurloRuntime& runtime,
                                                     const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , preview_(makePreview(runtime, appearance, false, CatPose::idle, 300))
    , furPicker_(new OnboardingFurPicker(
          Binding<CatSkinPreset>{[&runtime] { return runtime.settings()->skin; },
                                 [&runtime](CatSkinPreset skin) {
                                     PurloSettings settings = *runtime.settings();
                                     settings.skin = skin;
                                     runtime.setSettings(std::move(settings));
                                 }})) {
    QVBoxLayout* stack = slideLayout(this, QStringLiteral("Find your Purlo."),
                                     QStringLiteral("Choose a look for your new desktop cat."));
    stack->addWidget(preview_);
    stack->addWidget(furPicker_);
    stack->addWidget(paragraph(
        QStringLiteral("More fur patterns, eyes, and accessories are waiting in Appearance."), 15,
        PurloTheme::secondaryText));
    settingsSubscription_ = runtime.settings().subscribe([this](const PurloSettings& settings) {
        preview_->setSettings(settings);
        furPicker_->refresh();
    });
}

} // namespace purlo

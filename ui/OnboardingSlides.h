#pragma once

#include "platform/Appearance.h"
#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"

#include <QString>
#include <QWidget>

namespace purlo {

class OnboardingFurPicker;
class PurloButtonChrome;
class PurloCharacterPreview;

// The big title of a slide and the line under it.
class OnboardingHeading final : public QWidget {
    Q_OBJECT

public:
    OnboardingHeading(const QString& title, const QString& subtitle, QWidget* parent = nullptr);

    const QString& title() const { return title_; }

private:
    QString title_;
};

// Hello: a live cat who follows the pointer over her preview.
class OnboardingHelloSlide final : public QWidget {
    Q_OBJECT

public:
    OnboardingHelloSlide(PurloRuntime& runtime, const Appearance& appearance,
                         QWidget* parent = nullptr);

    const PurloCharacterPreview& preview() const { return *preview_; }

private:
    PurloCharacterPreview* preview_;
    Cancellable settingsSubscription_;
};

// Permissions: what hearing key presses is for, and the way to allow it. The slide
// follows the runtime's word on the permission, so granting it elsewhere shows here.
class OnboardingPermissionsSlide final : public QWidget {
    Q_OBJECT

public:
    OnboardingPermissionsSlide(PurloRuntime& runtime, const Appearance& appearance,
                               QWidget* parent = nullptr);

private:
    void showGrant(bool granted);

    PurloCharacterPreview* preview_;
    QWidget* readyLabel_;
    PurloButtonChrome* requestAccess_;
    QWidget* missingAccessHint_;
    Cancellable settingsSubscription_;
    Cancellable privacySubscription_;
};

// First steps: choosing her fur, stored at once, so the cat on the desktop and the
// preview here change together.
class OnboardingFirstStepsSlide final : public QWidget {
    Q_OBJECT

public:
    OnboardingFirstStepsSlide(PurloRuntime& runtime, const Appearance& appearance,
                              QWidget* parent = nullptr);

    const PurloCharacterPreview& preview() const { return *preview_; }

private:
    PurloCharacterPreview* preview_;
    OnboardingFurPicker* furPicker_;
    Cancellable settingsSubscription_;
};

} // namespace purlo

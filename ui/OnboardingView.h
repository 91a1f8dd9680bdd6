#pragma once

#include "platform/Appearance.h"
#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"

#include <QWidget>
#include <functional>

class QScrollArea;
class QVBoxLayout;

namespace purlo {

class PurloButtonChrome;
class PurloDivider;
class PurloText;

// First run, in one fixed 600 x 760 window: three slides shown one at a time in a
// scrolling area (hello, permissions, first steps) over a bar with Back, the slide
// counter and the primary button, which moves on and, on the last slide, marks
// onboarding completed and closes the window. Return presses the focused button, or the
// primary button where no button has the focus.
class OnboardingView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int slideCount = 3;
    static constexpr QSize fixedSize{600, 760};

    // slide: the one to start on, 1 to 3; close: closes the window, after onboarding was
    // completed.
    OnboardingView(PurloRuntime& runtime, const Appearance& appearance, int slide,
                   std::function<void()> close, QWidget* parent = nullptr);

    int slide() const { return slide_; }
    // The slide showing now.
    QWidget& currentSlide() const { return *currentSlide_; }
    PurloButtonChrome& primaryButton() const { return *primaryButton_; }

    // "Continue", "Later" while typing reactions wait for the permission, and "Meet her
    // on your desktop" on the last slide.
    static QString primaryTitle(int slide, bool inputMonitoringGranted);

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showSlide(int slide);
    void updatePrimaryTitle();
    void primaryAction();

    PurloRuntime& runtime_;
    const Appearance& appearance_;
    std::function<void()> close_;
    int slide_ = 1;
    QScrollArea* scrollArea_;
    QVBoxLayout* slideStack_;
    QWidget* currentSlide_ = nullptr;
    PurloDivider* divider_;
    PurloButtonChrome* backButton_;
    PurloText* counter_;
    PurloButtonChrome* primaryButton_;
    Cancellable privacySubscription_;
};

} // namespace purlo

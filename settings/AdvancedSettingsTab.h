#pragma once

#include "platform/Cancellable.h"

#include <QWidget>
#include <vector>

namespace purlo {

class PurloDisclosureGroup;
class PurloRuntime;
class PurloText;

// The Help page: ways to reach help (the help page, a support e-mail, the community),
// and the support report to copy or save, with the outcome of the last support action
// and, folded away, the live figures of the companion's animation loop. It edits no
// setting.
class AdvancedSettingsTab final : public QWidget {
    Q_OBJECT

public:
    explicit AdvancedSettingsTab(PurloRuntime& runtime, QWidget* parent = nullptr);

    PurloDisclosureGroup& supportReport() const { return *supportReport_; }
    PurloDisclosureGroup& technicalDetails() const { return *technicalDetails_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeHelpCard();
    QWidget* makeSupportReportCard();
    QWidget* makeTechnicalDetails();
    void showDiagnostics();

    PurloRuntime& runtime_;
    PurloDisclosureGroup* supportReport_ = nullptr;
    PurloDisclosureGroup* technicalDetails_ = nullptr;
    PurloText* status_ = nullptr;
    PurloText* diagnosticsStatus_ = nullptr;
    PurloText* animation_ = nullptr;
    PurloText* memory_ = nullptr;
    std::vector<Cancellable> subscriptions_;
};

} // namespace purlo

#pragma once

#include <QAbstractButton>
#include <QVariantAnimation>
#include <QWidget>

namespace purlo {

class PurloSymbol;

// A section that folds: a header row that toggles it wherever it is clicked, with the
// label at the leading end and a chevron at the trailing end (pointing right while
// folded, down while open), and the content below it only while open. Made through
// PurloTrailingDisclosureGroupStyle.
class PurloDisclosureGroup final : public QWidget {
    Q_OBJECT

public:
    static constexpr int toggleAnimationMilliseconds = 150;
    static constexpr int headerSpacing = 12;
    // However long the label, the chevron keeps at least this much space before it.
    static constexpr int minimumGap = 12;

    // Takes both widgets; the group starts folded.
    PurloDisclosureGroup(QWidget* label, QWidget* content, QWidget* parent = nullptr);

    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);

    // The header row: pressing it folds or opens the group. Assistive technology hears it
    // as a button named by the label's first text (its other texts describe it), whose
    // value is "Expanded" or "Collapsed".
    QAbstractButton& header() const { return *header_; }
    QWidget& content() const { return *content_; }
    const PurloSymbol& chevron() const { return *chevron_; }

Q_SIGNALS:
    void expandedChanged(bool expanded);

private:
    QAbstractButton* header_;
    PurloSymbol* chevron_;
    QWidget* content_;
    QVariantAnimation chevronTurn_;
    bool expanded_ = false;
};

// The header's chevron sits at the trailing end of the row, instead of the leading end.
struct PurloTrailingDisclosureGroupStyle {
    PurloDisclosureGroup* makeBody(QWidget* label, QWidget* content,
                                   QWidget* parent = nullptr) const {
        return new PurloDisclosureGroup(label, content, parent);
    }
};

} // namespace purlo

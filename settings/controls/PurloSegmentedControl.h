#pragma once

#include "settings/controls/OptionList.h"

#include <QAbstractButton>
#include <QWidget>
#include <vector>

namespace purlo {

// The settings' own segmented picker: a row of text segments on a rounded track, the
// chosen one filled with the accent. Each segment is as wide as its text plus its
// padding; the control does not stretch. Clicking a segment stores its option through
// the binding, the chosen one included; the control shows what the binding holds, and
// no segment when that is none of the options.
class PurloSegmentedControl final : public QWidget {
    Q_OBJECT

public:
    static constexpr double trackRadius = 10;
    static constexpr int trackInset = 3;
    static constexpr int segmentSpacing = 2;

    explicit PurloSegmentedControl(OptionList options, QWidget* parent = nullptr);

    // Reads the bound option again after it changed elsewhere.
    void refresh();

    const std::vector<QAbstractButton*>& segments() const { return segments_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Binding<int> selection_;
    std::vector<QAbstractButton*> segments_;
};

} // namespace purlo

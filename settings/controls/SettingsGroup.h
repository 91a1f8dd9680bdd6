#pragma once

// The rows come complete, so that they go into a group's list of widgets as they are.
#include "ui/PurloDivider.h"
#include "ui/PurloSettingRow.h"

#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <initializer_list>
#include <optional>

namespace purlo {

class PurloCard;

// One group of a settings page: its bold label and the card under it, holding rows top
// to bottom. A page is a plain column of groups; the gaps between them come from the
// labels alone, more above every group but the first.
class SettingsGroup final : public QWidget {
    Q_OBJECT

public:
    enum class Place { first, later };

    static constexpr double firstTopPadding = 8;
    static constexpr double laterTopPadding = 20;
    static constexpr double cardCornerRadius = 13;

    SettingsGroup(const QString& title, Place place, std::initializer_list<QWidget*> rows,
                  QWidget* parent = nullptr);

    PurloCard& card() const { return *card_; }

    // The page's column: leading-aligned, with no margins and no spacing of its own
    // (the window pads the page). It is as tall as its rows need at the width it is given,
    // saved looks wrapping into more rows included; whatever holds the page keeps any
    // height left over below it.
    static QVBoxLayout* makePageColumn(QWidget& page);
    // A column inside a card, padded evenly on every side.
    static QVBoxLayout* makePaddedColumn(QWidget& holder, int padding, int spacing);

private:
    PurloCard* card_;
};

// A row of a group's card, and the rule between two rows.
PurloSettingRow* settingRow(const QString& title, QWidget* control,
                            const std::optional<QString>& subtitle = std::nullopt);
PurloDivider* rowDivider();

// Rows one under the other, touching, as one widget: rows that are shown, hidden or
// replaced together.
QWidget* stackedRows(std::initializer_list<QWidget*> rows);

} // namespace purlo

#include "ui/PurloMenuBarView.h"

#include "companion/PurloTheme.h"
#include "companion/qt/PixelCatView.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "companion/qt/ThemeQColor.h"
#include "model/CatProfile.h"
#include "platform/LinuxWordings.h"
#include "runtime/PurloRuntime.h"
#include "ui/MenuFont.h"
#include "ui/MenuLine.h"
#include "ui/MenuRow.h"
#include "ui/PopoverAccessibility.h"
#include "ui/PurloDivider.h"
#include "ui/PurloMenuBarStatus.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <algorithm>

namespace purlo {
namespace {

constexpr bool popoverIsDark = true;

// The translucent material under the gradient. Linux has no blur behind windows, so
// the popover lays an even dark ground of its own, which keeps it legible over any
// desktop.
const QColor materialColor(0x26, 0x26, 0x26);
const QColor outlineColor(255, 255, 255, 26);

constexpr int portraitSide = 34;
constexpr int portraitCatSide = 30;
constexpr double portraitCornerRadius = 9;
const QColor portraitFill(255, 255, 255, 20);

constexpr int streakCaptionPixels = 10; // 9.5, on the font's whole-pixel grid

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A row's key hint; on Linux the shortcuts are Control keys.
MenuRow::Trailing keyHint(std::string_view hint) {
    return MenuRow::Trailing::hint(QString::fromUtf8(hint));
}

QPainterPath roundedPath(const QRectF& bounds, double radius) {
    QPainterPath path;
    path.addRoundedRect(bounds, radius, radius);
    return path;
}

// The cat as she always poses for her portrait: sitting, idle, looking ahead.
CompanionScene portraitScene() {
    CompanionScene scene;
    scene.position = {96, 120};
    scene.mood = CatMood::idle;
    scene.pose = CatPose::idle;
    scene.message = CompanionMessage{"meow", CompanionMessage::Kind::soft};
    scene.eyeOffset = {0, 0};
    scene.scale = 1;
    scene.isVisible = true;
    scene.yawnProgress = 0;
    return scene;
}

// A small rounded tile with the cat sitting on its bottom edge, cut to its corners.
class PortraitTile final : public QWidget {
public:
    explicit PortraitTile(QWidget* parent)
        : QWidget(parent) {
        setFixedSize(portraitSide, portraitSide);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        cat_ = new PixelCatView(portraitScene(), CatSkinPreset::tuxedo, CatPatternPreset::tuxedo,
                                CatEyeColorPreset::honey, CatAccessoryPreset::none, this);
        const int inset = (portraitSide - portraitCatSide) / 2;
        cat_->setGeometry(inset, portraitSide - portraitCatSide, portraitCatSide, portraitCatSide);
        const QPainterPath tile =
            roundedPath(QRectF(rect()), portraitCornerRadius).translated(-cat_->pos());
        cat_->setMask(QRegion(tile.toFillPolygon().toPolygon()));
    }

    PixelCatView& cat() { return *cat_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(roundedPath(QRectF(rect()), portraitCornerRadius), portraitFill);
    }

private:
    PixelCatView* cat_ = nullptr;
};

// A rule between groups of rows, inset from the popover's edges.
QWidget* makeDivider(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addWidget(new PurloDivider(themeQColor(PurloTheme::menuDivider), holder));
    return holder;
}

} // namespace

PurloMenuBarView::PurloMenuBarView(PurloRuntime& runtime, const Clock& clock, EventLoop& loop,
                                   const Appearance& appearance, Actions actions, QWidget* parent)
    : ReleasedWhenHidden(parent)
    , runtime_(runtime)
    , clock_(clock)
    , loop_(loop)
    , appearance_(appearance)
    , actions_(std::move(actions)) {
    presentPopoverToAssistiveTechnology();
    setFixedWidth(fixedWidth);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Purlo"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(0);
    // The window takes its new size and place in one step (fitToContent). A layout that held
    // it to its content's minimum would first grow it where it stands, and over a panel at
    // the bottom it would hang across the panel until the move.
    column->setSizeConstraint(QLayout::SetNoConstraint);

    buildHeader(*column);
    column->addWidget(makeDivider(this));
    visibilityRow_ =
        addRow(*column, new MenuRow({}, std::nullopt, keyHint(LinuxWordings::hideShortcutHint),
                                    false, [this] { toggleCompanionVisibility(); }));
    column->addWidget(makeDivider(this));
    petRow_ = addRow(*column, new MenuRow({}, "pawprint", MenuRow::Trailing::none(), false, [this] {
        runtime_.pet();
        flash("loved ♥");
    }));
    addRow(*column, new MenuRow("Agent done", "sparkles", MenuRow::Trailing::none(), false, [this] {
        runtime_.celebrate();
        flash("nice work! ✨");
    }));
    addRow(*column, new MenuRow("Mark small win", "checkmark.seal", MenuRow::Trailing::none(),
                                false, [this] {
                                    runtime_.markWin(clock_.now());
                                    // A win that could not be kept is not praised: the
                                    // popover says why, as she does.
                                    const auto& failure = *runtime_.settingsSaveFailure();
                                    flash(failure ? *failure : "proud of you!");
                                }));

    streakCaption_ = new MenuLine(
        PurloFontRegistrar::shared().font(PurloFontRegistrar::pixelFontName, streakCaptionPixels),
        themeQColor(PurloTheme::menuSecondaryText), this);
    streakCaption_->setObjectName(QStringLiteral("streakCaption"));
    // Inset by a row's padding, symbol column and spacing (10 + 19 + 11), so the caption
    // starts where the row titles start.
    streakCaptionHolder_ = new QWidget(this);
    auto* captionLayout = new QHBoxLayout(streakCaptionHolder_);
    captionLayout->setContentsMargins(40, 2, 0, 6);
    captionLayout->addWidget(streakCaption_);
    column->addWidget(streakCaptionHolder_);

    napRow_ = addRow(*column, new MenuRow("Nap", "moon.zzz", MenuRow::Trailing::chevron(false),
                                          false, [this] { toggleNapOptions(); }));
    napChoices_ = {
        addRow(*column,
               new MenuRow("Quick catnap · 20m", std::nullopt, MenuRow::Trailing::none(), true,
                           [this] {
                               chooseNap(
                                   [this] {
                                       runtime_.nap(PurloNapDuration::twentyMinutes, clock_.now());
                                   },
                                   "napping · back in 20m");
                           })),
        addRow(*column,
               new MenuRow(
                   "Proper nap · 1h", std::nullopt, MenuRow::Trailing::none(), true,
                   [this] {
                       chooseNap([this] { runtime_.nap(PurloNapDuration::oneHour, clock_.now()); },
                                 "napping · back in 1h");
                   })),
        addRow(*column,
               new MenuRow("Until I wake her", std::nullopt, MenuRow::Trailing::none(), true,
                           [this] {
                               chooseNap([this] { runtime_.napUntilWoken(); },
                                         "napping until you wake her");
                           })),
    };
    wakeRow_ = addRow(*column, new MenuRow({}, "sun.max", MenuRow::Trailing::none(), false, [this] {
        runtime_.wake();
        flash("good morning!");
    }));
    addRow(*column, new MenuRow("Stretch now", "figure.flexibility", MenuRow::Trailing::none(),
                                false, [this] {
                                    runtime_.stretch();
                                    flash("stretching… reach up high");
                                }));
    addRow(*column, new MenuRow("Reset position", "arrow.down.left.and.arrow.up.right",
                                MenuRow::Trailing::none(), false, [this] {
                                    runtime_.resetPosition();
                                    flash("recentered — hi again");
                                }));
    column->addWidget(makeDivider(this));
    focusRow_ = addRow(*column, new MenuRow({}, "timer", MenuRow::Trailing::none(), false,
                                            [this] { toggleFocus(); }));
    settingsRow_ = addRow(*column, new MenuRow("Settings…", "gearshape",
                                               keyHint(LinuxWordings::settingsShortcutHint), false,
                                               [this] { openSettings(); }));
    column->addWidget(makeDivider(this));
    quitRow_ = addRow(*column, new MenuRow("Quit Purlo", "xmark.circle",
                                           keyHint(LinuxWordings::quitShortcutHint), false,
                                           [this] { quit(); }));

    const auto refreshing = [this](const auto&) {
        refresh();
    };
    subscriptions_.push_back(runtime_.scene().subscribe(refreshing));
    subscriptions_.push_back(runtime_.settings().subscribe(refreshing));
    subscriptions_.push_back(runtime_.pomodoro().subscribe(refreshing));
}

PurloMenuBarView::~PurloMenuBarView() = default;

void PurloMenuBarView::buildHeader(QLayout& column) {
    auto* header = new QWidget(this);
    header_ = header;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(10, 8, 10, 10);
    row->setSpacing(11);

    auto* tile = new PortraitTile(header);
    portrait_ = &tile->cat();
    portrait_->setClock(clock_);
    row->addWidget(tile, 0, Qt::AlignVCenter);

    auto* texts = new QVBoxLayout();
    texts->setSpacing(1);
    name_ = new MenuLine(menuFont(15, QFont::Bold), themeQColor(PurloTheme::menuText), header);
    name_->setObjectName(QStringLiteral("companionName"));
    // Some flashes are longer than the header is wide: they wrap rather than lose words.
    status_ = new MenuLine(menuFont(12.5, QFont::DemiBold),
                           themeQColor(PurloTheme::accent, popoverIsDark), header,
                           MenuLine::Overflow::wrap);
    status_->setObjectName(QStringLiteral("statusLine"));
    texts->addWidget(name_);
    texts->addWidget(status_);
    row->addLayout(texts, 1);
    row->addSpacing(8);
    column.addWidget(header);
}

MenuRow* PurloMenuBarView::addRow(QLayout& column, MenuRow* row) {
    row->setParent(this);
    row->setClock(clock_);
    column.addWidget(row);
    return row;
}

std::string PurloMenuBarView::companionName() const {
    return CatProfile::sanitizedName(runtime_.settings()->companionName);
}

QString PurloMenuBarView::nameText() const {
    return name_->text();
}

QString PurloMenuBarView::statusText() const {
    return status_->text();
}

QString PurloMenuBarView::streakCaptionText() const {
    return streakCaptionHolder_->isHidden() ? QString() : streakCaption_->text();
}

void PurloMenuBarView::refresh() {
    if (!isVisible()) {
        return;
    }
    refreshContent();
    fitToContent();
}

void PurloMenuBarView::fitToContent() {
    // The popover takes the size of its content, as rows come and go.
    if (!isWindow()) {
        return;
    }
    // The status line may now wrap onto more lines or fewer: the header is measured again.
    header_->updateGeometry();
    layout()->activate();
    const QSize size = contentSize();
    setGeometry(actions_.place ? actions_.place(size) : QRect(pos(), size));
    for (MenuRow* row : findChildren<MenuRow*>()) {
        row->recheckHover();
    }
}

// What the content asks for, up to the height the screen has room for. Qt's own
// adjustSize would hold the window to two thirds of its screen, which on a short one (a
// 1080p screen at 150 % is 720 points tall) cuts the status line's wrapped lines off.
QSize PurloMenuBarView::contentSize() const {
    QSize size = sizeHint();
    if (layout()->hasHeightForWidth()) {
        size.setHeight(layout()->totalHeightForWidth(size.width()));
    }
    if (const QScreen* place = screen()) {
        size.setHeight(std::min(size.height(), place->availableGeometry().height()));
    }
    return size;
}

void PurloMenuBarView::refreshContent() {
    const PurloSettings& settings = *runtime_.settings();
    const CompanionScene& scene = *runtime_.scene();
    const PomodoroController::State& pomodoro = *runtime_.pomodoro();
    const bool napping = runtime_.isNapping();
    const QString name = qText(companionName());

    portrait_->setLook({settings.skin, settings.pattern, settings.eyeColor, settings.accessory});
    portrait_->setReduceMotion(appearance_.reduceMotion());
    name_->setText(name);
    status_->setText(qText(menuBarStatusLine(flashedMood_, napping, settings.nap, pomodoro,
                                             clock_.now(), clock_.uptime())));

    visibilityRow_->setTitle((scene.isVisible ? QStringLiteral("Hide ") : QStringLiteral("Show ")) +
                             name);
    visibilityRow_->setSystemImage(scene.isVisible ? "eye.slash" : "eye");
    petRow_->setTitle(QStringLiteral("Pet ") + name);

    const auto caption = streakCaption(settings.completionStreak);
    streakCaption_->setText(caption ? qText(*caption) : QString());
    streakCaptionHolder_->setVisible(caption.has_value());

    // Asleep, the only thing left to do about it is to wake her; the nap choices come
    // back as they were when she wakes.
    const QWidget* chosen = QApplication::focusWidget();
    napRow_->setVisible(!napping);
    napRow_->setTrailing(MenuRow::Trailing::chevron(napOptionsExpanded_));
    for (MenuRow* choice : napChoices_) {
        choice->setVisible(!napping && napOptionsExpanded_);
    }
    wakeRow_->setVisible(napping);
    wakeRow_->setTitle(QStringLiteral("Wake ") + name);
    keepChoiceInNapSection(chosen);

    const bool focusIdle = pomodoro.mode == PomodoroController::State::Mode::idle;
    focusRow_->setTitle(focusIdle ? QStringLiteral("Start focus") : QStringLiteral("Stop focus"));
}

void PurloMenuBarView::flash(std::string message) {
    moodResetTask_.cancel();
    flashedMood_ = std::move(message);
    refresh();
    // Cancelling the older task above is what keeps it from clearing this message.
    moodResetTask_ = loop_.scheduleOnce(flashDuration, [this] {
        flashedMood_.reset();
        refresh();
    });
}

void PurloMenuBarView::toggleCompanionVisibility() {
    runtime_.setCompanionVisible(!runtime_.scene()->isVisible);
    flash(runtime_.scene()->isVisible ? "there you are!" : std::string(LinuxWordings::hidingFlash));
}

void PurloMenuBarView::toggleFocus() {
    const bool wasIdle = runtime_.pomodoro()->mode == PomodoroController::State::Mode::idle;
    runtime_.toggleFocus();
    flash(wasIdle
              ? "focusing · " + std::to_string(runtime_.settings()->pomodoroFocusMinutes) + ":00"
              : "good session ♥");
}

void PurloMenuBarView::toggleNapOptions() {
    napOptionsExpanded_ = !napOptionsExpanded_;
    refresh();
}

void PurloMenuBarView::chooseNap(const std::function<void()>& startNap, std::string message) {
    startNap();
    napOptionsExpanded_ = false;
    flash(std::move(message));
}

void PurloMenuBarView::openSettings() {
    if (actions_.openSettings) {
        actions_.openSettings();
    }
    if (actions_.dismiss) {
        actions_.dismiss();
    }
}

void PurloMenuBarView::quit() {
    flash("bye for now ♥");
    if (actions_.quit) {
        actions_.quit();
    }
}

void PurloMenuBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    painter.fillRect(bounds, materialColor);
    QLinearGradient backdrop(bounds.topLeft(), bounds.bottomLeft());
    backdrop.setColorAt(0, themeQColor(PurloTheme::menuHeaderTop));
    backdrop.setColorAt(1, themeQColor(PurloTheme::menuHeaderBottom));
    painter.fillRect(bounds, backdrop);
    painter.setPen(QPen(outlineColor, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedPath(bounds.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius));
}

void PurloMenuBarView::keepChoiceInNapSection(const QWidget* chosen) {
    const bool inSection =
        chosen == napRow_ || chosen == wakeRow_ ||
        std::find(napChoices_.begin(), napChoices_.end(), chosen) != napChoices_.end();
    if (inSection && chosen->isHidden()) {
        (napRow_->isHidden() ? wakeRow_ : napRow_)->setFocus(Qt::OtherFocusReason);
    }
}

MenuRow* PurloMenuBarView::rowAfterChosen(bool onwards) const {
    const QList<MenuRow*> rows = findChildren<MenuRow*>(Qt::FindDirectChildrenOnly);
    auto from =
        std::find_if(rows.begin(), rows.end(), [](MenuRow* row) { return row->hasFocus(); });
    if (from == rows.end()) {
        from = std::find_if(rows.begin(), rows.end(), [](MenuRow* row) { return row->hovering(); });
    }
    const qsizetype count = rows.size();
    qsizetype index = from != rows.end() ? from - rows.begin() : (onwards ? -1 : count);
    for (qsizetype step = 0; step < count; ++step) {
        index = (index + (onwards ? 1 : count - 1)) % count;
        if (rows[index]->isVisible()) {
            return rows[index];
        }
    }
    return nullptr;
}

bool PurloMenuBarView::focusNextPrevChild(bool next) {
    MenuRow* row = rowAfterChosen(next);
    if (row == nullptr) {
        return false;
    }
    row->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// Up and Down move between the rows; the popover's three shortcuts act as a click on
// their row would.
void PurloMenuBarView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->accept();
        focusNextPrevChild(event->key() == Qt::Key_Down);
        return;
    }
    MenuRow* row = nullptr;
    if (modifiers == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_H:
            row = visibilityRow_;
            break;
        case Qt::Key_Comma:
            row = settingsRow_;
            break;
        case Qt::Key_Q:
            row = quitRow_;
            break;
        default:
            break;
        }
    }
    if (row == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    row->click();
}

void PurloMenuBarView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshContent();
    fitToContent();
    announcePopoverWindow(*this, true);
}

void PurloMenuBarView::hideEvent(QHideEvent* event) {
    ReleasedWhenHidden::hideEvent(event);
    announcePopoverWindow(*this, false);
}

} // namespace purlo

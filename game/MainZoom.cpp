// The table follows the window's size: every control keeps its rectangle in table units (the
// window description at 100 %) and is placed at the window's zoom on every resize, the card
// controls drawn from the art for the zoomed density.

#include "CardDrag.h"
#include "DialogScale.h"
#include "FeltBadge.h"
#include "GameSummary.h"
#include "LockShade.h"
#include "Main.h"
#include "PlayAnimator.h"
#include "TitlePanel.h"
#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardtable.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// The window's type at 100 %.
constexpr int FontPixels = 11;
constexpr qreal ZoomStep = 1.0 / 32;

int Edge(int TableUnits, qreal Zoom, int Origin) {
    return Origin + int(std::lround(TableUnits * Zoom));
}

} // namespace

void TMainForm::RecordTableUnits() {
    std::vector<QWidget*> controls{
        TitlePanel, Deck,       CardTable1, CardTable2, Play1Pile,  Play2Pile, DealBtn,
        TempTable1, TempTable2, WaitSign1,  WaitSign2,  Image1,     Image2,    OptionBtn,
        HelpBtn,    ScoreBtn,   GameBtn,    Label9,     ScoreLabel, HumanToGo, ComputerToGo,
        DealHint,   LockShade,  Summary,    PeerWait,   DealLabel};
    controls.insert(controls.end(), Play1Card.begin(), Play1Card.end());
    controls.insert(controls.end(), Play2Card.begin(), Play2Card.end());
    controls.insert(controls.end(), Bevel.begin(), Bevel.end());
    for (QWidget* w : controls)
        FTableUnits.emplace_back(w, w->geometry());
}

QRect TMainForm::ToWindow(const QRect& TableUnits) const {
    if (FZoom == 1 && FTableOrigin.isNull())
        return TableUnits;
    // Edge by edge, so that controls that meet at 100 % meet at every zoom.
    const int left = Edge(TableUnits.left(), FZoom, FTableOrigin.x());
    const int top = Edge(TableUnits.top(), FZoom, FTableOrigin.y());
    return {left, top, Edge(TableUnits.left() + TableUnits.width(), FZoom, FTableOrigin.x()) - left,
            Edge(TableUnits.top() + TableUnits.height(), FZoom, FTableOrigin.y()) - top};
}

void TMainForm::PlaceInTable(QWidget* Control, const QRect& TableUnits) {
    const auto found = std::find_if(FTableUnits.begin(), FTableUnits.end(),
                                    [Control](const auto& e) { return e.first == Control; });
    if (found != FTableUnits.end())
        found->second = TableUnits;
    Control->setGeometry(ToWindow(TableUnits));
}

void TMainForm::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    if (!FTableUnits.empty())
        ApplyZoom();
}

void TMainForm::ApplyZoom() {
    // In steps of 1/32: a window dragged a pixel at a time redraws its cards from the art only
    // every 20 pixels or so, and the felt margins take up the rest.
    const qreal zoom = std::max(
        ZoomStep, std::floor(std::min(width() / qreal(TableWidth), height() / qreal(TableHeight)) /
                             ZoomStep) *
                      ZoomStep);
    const QPoint origin(int(std::lround((width() - TableWidth * zoom) / 2)),
                        int(std::lround((height() - TableHeight * zoom) / 2)));
    if (qFuzzyCompare(zoom, FZoom) && origin == FTableOrigin)
        return;
    // The controls placed one by one would each paint the whole window at once (the cards
    // redraw on a resize); the window is painted once, when all are in place.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    // Whatever is on its way is drawn for the old zoom: it ends now.
    Animator->Finish();
    CardDrag->Cancel();
    const bool zoomed = !qFuzzyCompare(zoom, FZoom);
    FZoom = qFuzzyCompare(zoom, 1) ? 1 : zoom;
    FTableOrigin = origin;
    if (zoomed) {
        setProperty("tableZoom", FZoom);
        setProperty("tableZoomSettleMs", FZoomSettleMs);
        // Every control's type follows; only a new zoom changes it, not a move of the table.
        QFont type = font();
        type.setPixelSize(std::max(1, int(std::lround(FontPixels * FZoom))));
        setFont(type);
    }
    for (const auto& [control, units] : FTableUnits) {
        if (auto* cards = dynamic_cast<TKsCustomGraphicControl*>(control); cards && zoomed)
            cards->SetZoom(FZoom, FZoomSettleMs);
        control->setGeometry(ToWindow(units));
        // A control that only moved keeps its pixels; one zoomed paints itself at its new size.
        if (zoomed)
            control->update();
    }
    if (zoomed) {
        PlaceScoreLabel();
        ZoomDealLabel();
    }
    setUpdatesEnabled(updates);
    update();
}

void TMainForm::paintEvent(QPaintEvent* Event) {
    if (FTableOrigin.isNull())
        return;
    // The margins beside or below the table are felt.
    QPainter p(this);
    const QRegion table(ToWindow(QRect(0, 0, TableWidth, TableHeight)));
    for (const QRect& r : QRegion(rect()).subtracted(table).intersected(Event->region()))
        p.fillRect(r, QColor(0, 90, 40));
}

QSize TMainForm::FrameAllowance() const {
    // Before the window is first shown its frame is not known, and a title bar, which the
    // toolkit does not scale, is allowed for.
    const QSize frame = frameGeometry().size() - size();
    return frame.isNull() ? QSize(0, qRound(TitleBarAllowance / StartScale())) : frame;
}

QSize TMainForm::FittedSize(QSize Size) const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? Size.boundedTo(shown->availableGeometry().size() - FrameAllowance()) : Size;
}

void TMainForm::FitWindow(QSize Size) {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) {
        resize(Size);
        return;
    }
    // The frame stays on the screen too.
    const QSize frame = FrameAllowance();
    const QRect area = shown->availableGeometry();
    const QPoint centre = frameGeometry().center();
    resize(FittedSize(Size));
    QRect placed(QPoint(), size() + frame);
    placed.moveCenter(centre);
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    move(placed.topLeft());
}

qreal TMainForm::StartScale() {
    bool ok = false;
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && scale > 0 ? scale : 1;
}

QSize TMainForm::TableSizeWindow(int32_t Size) {
    const qreal wanted = Size > 0 ? Size / 100.0 : 1;
    return {qRound(TableWidth * wanted), qRound(TableHeight * wanted)};
}

QSize TMainForm::KeptWindowSize() const {
    // The table size's own size, or what of it fits the screen, opens again by itself.
    if (size() == TableSizeWindow(FDisplay.TableSize) || size() == FTableSizeFitted)
        return {};
    return size() * StartScale();
}

void TMainForm::RestoreWindowSize(int32_t Width, int32_t Height) {
    FTableSizeFitted = FittedSize(TableSizeWindow(FDisplay.TableSize));
    if (Width > 0 && Height > 0)
        FitWindow(QSize(qRound(Width / StartScale()), qRound(Height / StartScale())));
    else if (TableSizeWindow(FDisplay.TableSize) != size())
        ApplyTableSize(FDisplay.TableSize);
}

void TMainForm::ApplyTableSize(int32_t Size) {
    FitWindow(TableSizeWindow(Size));
    FTableSizeFitted = size();
}

void TMainForm::ScaleDialogsWithTable() {
    // The dialogs, the help and the Game menu follow the table size chosen (SetDisplay).
    ScaleDialogsOnShow(*this, this);
    // The menu's type only: the style lays out a menu's items partly in sizes of its own, and
    // measures long items a little short in large type, so the menu is as wide as at 100 %
    // times the scale.
    connect(GameMenu, &QMenu::aboutToShow, this, [this, built = GameMenu->font()] {
        const qreal scale = DialogScale();
        if (scale == 1 && GameMenu->font() == built)
            return;
        GameMenu->setFont(built);
        GameMenu->setMinimumWidth(0);
        const int width = GameMenu->sizeHint().width();
        if (scale == 1)
            return;
        GameMenu->setFont(ScaledFont(built, scale));
        GameMenu->setMinimumWidth(qRound(width * scale));
    });
}

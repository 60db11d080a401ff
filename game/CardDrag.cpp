#include "CardDrag.h"

#include "Main.h"
#include "PlayAnimator.h"
#include "TableZoom.h"
#include "ksabort.h"
#include "kscardgroup.h"
#include "kscardimages.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {

// The lifted card as the table draws it, its cut corners showing what lies beneath.
class TLiftedCard : public QWidget {
public:
    explicit TLiftedCard(QWidget* Form) : QWidget(Form) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    void SetCard(int32_t ID) {
        FPicture = {};
        const TKsCardImage* picture = CardImage(ID);
        if (!picture)
            return;
        const qreal ratio = devicePixelRatioF() * TableZoom(this);
        FPicture = picture->Image(ratio).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < FPicture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(FPicture.scanLine(y));
            for (int x = 0; x < FPicture.width(); ++x)
                if ((line[x] | 0xFF000000u) == (picture->TransparentColor() | 0xFF000000u))
                    line[x] = 0;
        }
        FPicture.setDevicePixelRatio(devicePixelRatioF());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(QPoint(0, 0), FPicture);
    }

private:
    QImage FPicture;
};

// The ring round the pile that would take the card.
class TPileRing : public QWidget {
public:
    static constexpr int Margin = 5;

    explicit TPileRing(QWidget* Form) : QWidget(Form) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 196, 0), 4));
        p.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 6, 6);
    }
};

double EaseOut(double T) {
    const double u = 1 - T;
    return 1 - u * u * u;
}

constexpr int FrameMs = 16;

} // namespace

TCardDrag::TCardDrag(TMainForm& Form)
    : QObject(&Form), FForm(Form), FCard(new TLiftedCard(&Form)), FRing(new TPileRing(&Form)),
      FCover(new QWidget(&Form)) {
    // The slot the card left looks empty: the window's own colour over it.
    FCover->setAutoFillBackground(true);
    FCover->setAttribute(Qt::WA_TransparentForMouseEvents);
    FCover->hide();
    FCard->resize(KsCardWidth, KsCardHeight);
    FRing->resize(KsCardWidth + 2 * TPileRing::Margin, KsCardHeight + 2 * TPileRing::Margin);
    for (TKsCardGroup* slot : Form.Play1Card)
        slot->installEventFilter(this);
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    FFrameTimer.setInterval(FrameMs);
    connect(&FFrameTimer, &QTimer::timeout, this, [this] { KsHandleEvent([this] { Frame(); }); });
    Form.Events().Subscribe([this](const TGameEvent& e) { Heard(e); });
}

TCardDrag::~TCardDrag() = default;

bool TCardDrag::eventFilter(QObject* Watched, QEvent* Event) {
    const auto found = std::find(FForm.Play1Card.begin(), FForm.Play1Card.end(), Watched) -
                       FForm.Play1Card.begin();
    if (found >= 4)
        return false;
    const auto type = Event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(Event);
    const QPoint at = FForm.Play1Card[size_t(found)]->mapTo(&FForm, mouse->position().toPoint());
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::LeftButton)
            KsHandleEvent([&] { Press(int(found), at); });
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (!FPressed && !FDragging)
            return false;
        KsHandleEvent([&] { Move(at); });
        return FDragging;
    }
    // A release that ends a drag is no click: the card goes where it was dropped or back.
    if (mouse->button() != Qt::LeftButton || !FDragging) {
        FPressed = false;
        return false;
    }
    KsHandleEvent([&] { Release(at); });
    return true;
}

void TCardDrag::Press(int Slot, QPoint At) {
    if (Slot < 0 || Slot > 3)
        return;
    if (FlyingBack())
        End();
    FSlot = Slot;
    FPressAt = At;
    FPressed = true;
}

void TCardDrag::Move(QPoint At) {
    if (!FDragging) {
        if (!FPressed || (At - FPressAt).manhattanLength() < QApplication::startDragDistance())
            return;
        FPressed = false;
        Lift();
        if (!FDragging)
            return;
    }
    FCard->move(At - FGrab);
    ShowTarget();
}

void TCardDrag::Lift() {
    TKsCardGroup* slot = FForm.Play1Card[size_t(FSlot)];
    // A card the game will not let go stays put: a decided game, or the fumble lock.
    if (!FForm.GameRunning() || FForm.Fumble().Locked() || slot->NonEmptyCount() == 0)
        return;
    FCardID = slot->GetCard(0)->ID();
    static_cast<TLiftedCard*>(FCard)->SetCard(FCardID);
    FCard->resize(SlotRect().size());
    FGrab = FPressAt - SlotRect().topLeft();
    FCover->setGeometry(SlotRect());
    FCover->raise();
    FCover->show();
    FRing->raise();
    FCard->raise();
    FCard->show();
    FDragging = true;
}

bool TCardDrag::Release(QPoint At) {
    FPressed = false;
    if (!FDragging)
        return false;
    FDragging = false;
    FRing->hide();
    TKsCardGroup* slot = FForm.Play1Card[size_t(FSlot)];
    // Laid meanwhile by its key: nothing is left to drop.
    if (slot->NonEmptyCount() == 0 || slot->GetCard(0)->ID() != FCardID) {
        End();
        return false;
    }
    const int pile = PileUnder(At, QRect(At - FGrab, FCard->size()));
    // Put back where it came from: no play was asked for.
    if (pile == 0 && SlotRect().contains(At)) {
        FlyBack();
        return false;
    }
    const int slotIndex = FSlot;
    const int refusals = FRefusals;
    if (FForm.PlayOnPile(slotIndex, pile)) {
        End();
        return true;
    }
    // Neither laid nor refused: a match took the play to its referee. The card waits in its
    // slot, as a key's does, rather than flying back and then onto the pile.
    if (FRefusals == refusals) {
        End();
        return false;
    }
    FlyBack();
    return false;
}

void TCardDrag::Cancel() {
    FPressed = false;
    FDragging = false;
    End();
}

void TCardDrag::Heard(const TGameEvent& Event) {
    if (Event.Kind == TGameEventKind::PlayRefused && Event.Play.Side == TSide::Human)
        ++FRefusals;
    if (FSlot < 0)
        return;
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
    case TGameEventKind::GameDecided:
    case TGameEventKind::GameAbandoned:
        Cancel();
        break;
    case TGameEventKind::CardLaid:
        // Its key laid the lifted card.
        if (Event.Play.Side == TSide::Human && Event.Play.Slot == FSlot &&
            (FDragging || FlyingBack()))
            Cancel();
        break;
    default:
        break;
    }
}

QRect TCardDrag::PileRect(int Table) const {
    const TKsCardTable* table = Table == 1 ? FForm.CardTable1 : FForm.CardTable2;
    const qreal zoom = FForm.Zoom();
    return {table->geometry().topLeft() + TKsCardTable::PositionOffset(2) * zoom,
            QSize(qRound(KsCardWidth * zoom), qRound(KsCardHeight * zoom))};
}

QRect TCardDrag::SlotRect() const {
    return FForm.Play1Card[size_t(FSlot)]->geometry();
}

int TCardDrag::PileUnder(QPoint At, const QRect& Card) const {
    int best = 0;
    int64_t bestArea = 0;
    for (int table = 1; table <= 2; ++table) {
        const QRect pile = PileRect(table);
        if (pile.contains(At))
            return table;
        const QRect common = pile.intersected(Card);
        const int64_t area = int64_t(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = table;
            bestArea = area;
        }
    }
    return best;
}

void TCardDrag::ShowTarget() {
    const int pile = PileUnder(FCard->geometry().topLeft() + FGrab, FCard->geometry());
    FTarget = pile != 0 && FForm.PileTakes(FSlot, pile) ? pile : 0;
    if (FTarget == 0) {
        FRing->hide();
        return;
    }
    const QRect ring = PileRect(FTarget).adjusted(-TPileRing::Margin, -TPileRing::Margin,
                                                  TPileRing::Margin, TPileRing::Margin);
    if (FRing->geometry() != ring)
        FRing->setGeometry(ring);
    FRing->show();
}

void TCardDrag::FlyBack() {
    FTarget = 0;
    if (!FForm.ShowPlays() || !FForm.isVisible()) {
        End();
        return;
    }
    FBackStart = Clock();
    FBackFrom = FCard->pos();
    FFrameTimer.start();
}

void TCardDrag::Frame() {
    if (!FlyingBack())
        return;
    const double t = double(Clock() - FBackStart) / std::max(1, FForm.Animator->FlightTime());
    if (t >= 1) {
        End();
        return;
    }
    const QPoint to = SlotRect().topLeft();
    const double p = EaseOut(std::max(0.0, t));
    FCard->move(FBackFrom + QPoint(int((to.x() - FBackFrom.x()) * p + 0.5),
                                   int((to.y() - FBackFrom.y()) * p + 0.5)));
}

void TCardDrag::End() {
    FFrameTimer.stop();
    FBackStart = -1;
    FTarget = 0;
    FSlot = -1;
    FCard->hide();
    FRing->hide();
    FCover->hide();
}

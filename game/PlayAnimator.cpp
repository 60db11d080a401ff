#include "PlayAnimator.h"

#include "FlyingCard.h"
#include "TableZoom.h"
#include "ksabort.h"
#include "kscardimages.h"
#include "kscardtable.h"
#include "ksdensity.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

// A glow round a pile or a red flash over a card: a small child of the form, shown only
// while it has something to draw, so the table beneath is untouched the rest of the time.
class TPlayOverlay : public QWidget {
public:
    enum class TKind { Glow, Flash };

    TPlayOverlay(QWidget* Form, TKind Kind) : QWidget(Form), FKind(Kind) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    // Strength 1 at the start down to 0 at the end.
    void ShowAt(const QRect& Card, double Strength) {
        const int margin = FKind == TKind::Glow ? 5 : 0;
        const QRect area = Card.adjusted(-margin, -margin, margin, margin);
        if (geometry() != area)
            setGeometry(area);
        FStrength = Strength;
        if (isHidden()) {
            raise();
            show();
        } else {
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // Stroking is most of a fade step's cost: each layer is drawn once at full strength
        // and faded as a picture, in the order it was drawn.
        const qreal ratio = devicePixelRatioF();
        if (FLayers.empty() || FLayers.front().size() != size() * ratio ||
            FLayers.front().devicePixelRatio() != ratio)
            DrawLayers(ratio);
        QPainter p(this);
        p.setOpacity(FStrength);
        for (const QImage& layer : FLayers)
            p.drawImage(0, 0, layer);
    }

private:
    void DrawLayers(qreal Ratio) {
        FLayers.clear();
        const auto layer = [&](const auto& Draw) {
            QImage picture(size() * Ratio, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(Ratio);
            picture.fill(Qt::transparent);
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing);
            Draw(p);
            p.end();
            FLayers.push_back(picture);
        };
        if (FKind == TKind::Glow) {
            // The felt green of the title panel: the computer laid its card here.
            const QRectF ring = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
            for (const auto& [alpha, width] : {std::pair(90, 5.0), std::pair(230, 2.5)})
                layer([&](QPainter& p) {
                    p.setPen(QPen(QColor(0, 110, 50, alpha), width));
                    p.drawRoundedRect(ring, 6, 6);
                });
            return;
        }
        layer([this](QPainter& p) { p.fillRect(rect(), QColor(210, 30, 30, 110)); });
        layer([this](QPainter& p) {
            p.setPen(QPen(QColor(190, 20, 20), 3));
            p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
        });
    }

    TKind FKind;
    double FStrength = 1;
    std::vector<QImage> FLayers; // what it draws, at full strength
};

namespace {

double EaseOut(double T) {
    const double u = 1 - T;
    return 1 - u * u * u;
}

constexpr double FrameMs = 1000.0 / 60.0;
// A glow or a flash fades in a few steps: smooth enough for a fade, and each step repaints.
constexpr int FadeStepMs = 80;

} // namespace

TPlayAnimator::TPlayAnimator(QWidget* Form)
    : QObject(Form), FForm(Form), FGlowView(new TPlayOverlay(Form, TPlayOverlay::TKind::Glow)),
      FFlashView(new TPlayOverlay(Form, TPlayOverlay::TKind::Flash)) {
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    FFrameTimer.setSingleShot(true);
    FFrameTimer.setTimerType(Qt::PreciseTimer);
    connect(&FFrameTimer, &QTimer::timeout, this, [this] { KsHandleEvent([this] { Frame(); }); });
    // For tests only: each flight's start, frames and end, for the end-to-end test to read.
    if (const QString path = qEnvironmentVariable("TOLVI_TEST_FLIGHT_REPORT"); !path.isEmpty()) {
        FReport = std::make_unique<QFile>(path);
        if (!FReport->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            FReport.reset();
    }
}

TPlayAnimator::~TPlayAnimator() = default;

void TPlayAnimator::Report(const QByteArray& Line) {
    FReport->write(QByteArray::number(Clock()) + ' ' + Line + '\n');
}

void TPlayAnimator::SetEnabled(bool Value) {
    if (!Value)
        Finish();
    FEnabled = Value;
}

void TPlayAnimator::WatchTable(TKsCardTable* Table) {
    auto added = Table->AfterAddCard;
    Table->AfterAddCard = [this, added](TKsCardTable* Sender, int32_t Count, int32_t Pos,
                                        TKsSingleCard* Top, int32_t TopID, int32_t PrevID,
                                        bool Owned) {
        FinishFlight();
        if (added)
            added(Sender, Count, Pos, Top, TopID, PrevID, Owned);
    };
    auto dealt = Table->AfterDealToTable;
    Table->AfterDealToTable = [this, dealt](TKsCardTable* Sender, int32_t Count, int32_t Pos,
                                            TKsSingleCard* Top) {
        FinishFlight();
        if (dealt)
            dealt(Sender, Count, Pos, Top);
    };
}

void TPlayAnimator::ComputerPlayed(const QRect& From, TKsCardTable* Table) {
    FinishFlight();
    // Nobody sees a hidden window: the self-play driver plays whole games in one.
    if (!FEnabled || !FForm->isVisible() || Table->CardTop().Empty())
        return;
    const TKsCardImage* picture = CardImage(Table->CardTop().ID());
    if (!picture)
        return;
    if (!FFlight)
        FFlight = new TFlyingCard(FForm);
    // The card as the table draws it, for the zoomed density of the screen, one picture pixel a
    // device pixel: the very picture the table keeps for the card. Its transparent corners show
    // the window.
    const qreal zoom = TableZoom(FForm);
    const qreal ratio = FForm->devicePixelRatioF();
    QImage card = picture->Image(zoom * ratio).convertToFormat(QImage::Format_RGB32);
    card.setDevicePixelRatio(ratio);
    const QRgb window = FForm->palette().color(QPalette::Window).rgb();
    for (int y = 0; y < card.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(card.scanLine(y));
        for (int x = 0; x < card.width(); ++x)
            if ((line[x] | 0xFF000000u) == picture->TransparentColor())
                line[x] = window;
    }
    FFlight->SetBitmap(card);
    FFrom = From.topLeft();
    FTo = Table->geometry().topLeft() + TKsCardTable::PositionOffset(2) * zoom;
    FGlow =
        QRect(FTo, QSize(KsDevicePixels(KsCardWidth, zoom), KsDevicePixels(KsCardHeight, zoom)));
    FFlight->move(FFrom);
    FFlight->raise();
    FFlight->show();
    FFlightStart = Clock();
    if (FReport)
        Report("start " + QByteArray::number(FFrom.x()) + ' ' + QByteArray::number(FFrom.y()) +
               ' ' + QByteArray::number(FTo.x()) + ' ' + QByteArray::number(FTo.y()));
    StartFrames();
}

void TPlayAnimator::Refused(const QRect& Card) {
    if (!FEnabled || !FForm->isVisible())
        return;
    FFlash = Card;
    FFlashStart = Clock();
    FFlashView->ShowAt(FFlash, 1);
    // A card in flight stays above everything on the table.
    if (Flying())
        FFlight->raise();
    StartFrames();
}

void TPlayAnimator::FinishFlight() {
    if (Flying())
        EndFlight(false);
    if (Glowing()) {
        FGlowStart = -1;
        FGlowView->hide();
    }
}

void TPlayAnimator::Finish() {
    FinishFlight();
    if (Flashing()) {
        FFlashStart = -1;
        FFlashView->hide();
    }
    FFrameTimer.stop();
}

void TPlayAnimator::EndFlight(bool Landed) {
    FFlightStart = -1;
    if (FFlight)
        FFlight->hide();
    if (FReport)
        Report(Landed ? "landed" : "cut");
}

void TPlayAnimator::StartFrames() {
    // A flight needs the 60 Hz beat even when a fade step is already waiting.
    if (FFrameTimer.isActive() && !(Flying() && FFrameTimer.interval() == FadeStepMs))
        return;
    FFirstFrame = Clock();
    FFramesDue = 0;
    ScheduleNextFrame(FFirstFrame);
}

void TPlayAnimator::ScheduleNextFrame(int64_t Now) {
    // On a 60 Hz grid, so rounding a frame's wait to whole milliseconds never drifts.
    ++FFramesDue;
    const int64_t due = FFirstFrame + int64_t(FFramesDue * FrameMs + 0.5);
    FFrameTimer.start(int(std::max<int64_t>(1, due - Now)));
}

void TPlayAnimator::Frame() {
    const int64_t now = Clock();
    if (Flying()) {
        const double t = double(now - FFlightStart) / FlightTime();
        if (t >= 1) {
            EndFlight(true);
            FGlowStart = now;
        } else {
            const double p = EaseOut(std::max(0.0, t));
            FFlight->move(FFrom.x() + int((FTo.x() - FFrom.x()) * p + 0.5),
                          FFrom.y() + int((FTo.y() - FFrom.y()) * p + 0.5));
            if (FReport)
                Report("frame " + QByteArray::number(FFlight->X()) + ' ' +
                       QByteArray::number(FFlight->Y()));
        }
    }
    if (Glowing()) {
        const double t = double(now - FGlowStart) / (GlowMs * FPace / 100);
        if (t >= 1) {
            FGlowStart = -1;
            FGlowView->hide();
        } else {
            FGlowView->ShowAt(FGlow, 1 - t * t);
        }
    }
    if (Flashing()) {
        const double t = double(now - FFlashStart) / (FlashMs * FPace / 100);
        if (t >= 1) {
            FFlashStart = -1;
            FFlashView->hide();
        } else {
            FFlashView->ShowAt(FFlash, 1 - t);
        }
    }
    ++FFrames;
    if (Flying())
        ScheduleNextFrame(now);
    else if (Active())
        FFrameTimer.start(FadeStepMs);
}

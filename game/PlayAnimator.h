#pragma once
// Shows what just happened on the table without ever holding the game up: the computer's card
// flies from its slot to the pile it was laid on, the pile then glows, and a refused card
// flashes red. The game's state has changed before any of this starts; only pixels move, on
// layers above the table, driven by a frame clock rather than a nested event loop, so clicks,
// keys and timer ticks are handled as they come.

#include <QElapsedTimer>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

class QFile;
class QWidget;
class TKsCardTable;
class TFlyingCard;
class TPlayOverlay;

class TPlayAnimator : public QObject {
    Q_OBJECT
public:
    // At Normal speed.
    static constexpr int FlightMs = 150;
    static constexpr int GlowMs = 400;
    static constexpr int FlashMs = 180;

    // Form owns the animator; the flight and the overlay are drawn above its children.
    explicit TPlayAnimator(QWidget* Form);
    ~TPlayAnimator() override;

    // "Show plays". Switching it off ends whatever is under way.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // The time every flight, glow and flash takes, in percent of Normal (50 Fast, 200 Slow).
    int Pace() const { return FPace; }
    void SetPace(int Percent) { FPace = std::max(1, Percent); }
    // A flight's time at the pace.
    int FlightTime() const { return FlightMs * FPace / 100; }

    // A card laid on or dealt to Table ends whatever is under way at once, so nothing drawn
    // ever hides a newer card.
    void WatchTable(TKsCardTable* Table);

    // The computer has laid the card now on top of Table from the slot at From (form
    // coordinates).
    void ComputerPlayed(const QRect& From, TKsCardTable* Table);
    // The card at Card (form coordinates) fits nowhere.
    void Refused(const QRect& Card);
    // Ends every flight, glow and flash now.
    void Finish();
    // Ends the flight and the glow now; a flash over a slot goes on.
    void FinishFlight();

    bool Flying() const { return FFlightStart >= 0; }
    bool Glowing() const { return FGlowStart >= 0; }
    bool Flashing() const { return FFlashStart >= 0; }
    bool Active() const { return Flying() || Glowing() || Flashing(); }
    // Frames drawn since creation.
    int64_t Frames() const { return FFrames; }
    // The flying card; null until the first flight.
    const TFlyingCard* Flight() const { return FFlight; }

    // Milliseconds on a monotonic clock; tests replace it to step through an animation.
    std::function<int64_t()> Clock;
    // Draws the frame for the clock's time now; the frame clock calls it.
    void Frame();

private:
    void StartFrames();
    void EndFlight(bool Landed);
    void Report(const QByteArray& Line);
    void ScheduleNextFrame(int64_t Now);

    QWidget* FForm;
    TFlyingCard* FFlight = nullptr; // child of the form, made for the first flight
    TPlayOverlay* FGlowView;        // children of the form
    TPlayOverlay* FFlashView;
    QTimer FFrameTimer;
    QElapsedTimer FElapsed;
    bool FEnabled = true;
    int FPace = 100;
    int64_t FFrames = 0;
    int64_t FFirstFrame = 0; // frames are due on a fixed 60 Hz grid from here
    int64_t FFramesDue = 0;

    int64_t FFlightStart = -1;
    QPoint FFrom;
    QPoint FTo;
    int64_t FGlowStart = -1;
    QRect FGlow;
    int64_t FFlashStart = -1;
    QRect FFlash;
    std::unique_ptr<QFile> FReport; // null unless a test asked for the flight report
};

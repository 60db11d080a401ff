#pragma once
// What a screen reader hears of the table: accessible names for the cards, the piles, the
// counters, the score and the wait signs, kept to what the table shows, and a status whose
// name changes announce what happens in the game. It follows the game's events; the rules
// never call it.

#include "GameEvents.h"

#include <QLabel>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>

class TMainForm;
class TKsSingleCard;

// The name of a card as a screen reader says it ("seven of hearts"); empty for none.
QString SpokenCard(const TKsSingleCard* Card);
QString SpokenCard(int32_t ID);

// Announces texts through its accessible name. Texts that come within Gap of the last one wait
// and go out together when it has passed, the computer's plays reduced to the latest, so that
// at a fast level the announcements never fall behind the game.
class TAnnouncer : public QLabel {
    Q_OBJECT
public:
    explicit TAnnouncer(QWidget* Parent);

    int Gap() const { return FGap.interval(); }
    void SetGap(int Milliseconds);
    // Replaceable: a later text of the same kind takes its place while both wait.
    void Say(const QString& Text, bool Replaceable = false);
    // Sends what waits now, as the end of the gap does.
    void Flush();
    // Every text announced, in order (the accessible name holds the last).
    std::function<void(const QString&)> OnAnnounce;

private:
    void Send(const QString& Text);

    QTimer FGap;
    QStringList FWaiting;
    int FReplaceable = -1; // index in FWaiting of the replaceable text
};

class TTableAccess : public QObject {
    Q_OBJECT
public:
    explicit TTableAccess(TMainForm& Form);

    TAnnouncer* Status() const { return FStatus; }
    // Names every control from what the table shows now.
    void Refresh();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Follow(const TGameEvent& Event);

    // What the names say, as numbers (card IDs, 0 for none): the names are made from these.
    struct TShown {
        std::array<int32_t, 4> Yours{}, Computers{}; // the slots' top cards
        std::array<int32_t, 2> Piles{};              // left, right
        int32_t YoursToGo = 0, ComputersToGo = 0, Score = 0;
        QString Opponent; // the friend's name in a match; empty for the computer
        bool operator==(const TShown&) const = default;
    };
    TShown Shown() const;
    // The top row's player in a sentence of the computer's or of a friend's.
    QString Opponent(const QString& Computers, const QString& Friends) const;

    TMainForm& FForm;
    TAnnouncer* FStatus;
    QTimer FRefresh;              // names are refreshed once the table has settled
    std::optional<TShown> FShown; // what the names said when last made
};

// Sets the table's accessibility up; called once from the window's start-up.
void SetUpTableAccess(TMainForm& Form);

#pragma once
// The game's one window: the table of card controls and the computer's timer, showing the game
// the core decides (Game). Its methods are split over files by concern: MainLayout (the window
// description, start-up, shut-down, buttons and messages), MainDeal, MainPlay, MainStalemate and
// MainScoring. Every play comes through Play to the core; what happens is announced on Events,
// which the card groups follow first (MainTable), then the views and the records (MainShowPlays
// creates them); the top row is played by an Opponent.

#include "FumbleLock.h"
#include "GameEvents.h"
#include "GameRecorder.h"
#include "Opponent.h"
#include "PlayView.h"
#include "RecordKeeper.h"
#include "Records.h"
#include "RecordsSaver.h"
#include "Settings.h"
#include "SpeedGame.h"
#include "SpeedRules.h"
#include "kstypes.h"

#include <QEvent>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QFrame;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class TCardDrag;
class TFeltBadge;
class TGameSummary;
class TLockShade;
class TPlayAnimator;
class TSoundEngine;
class TTitlePanel;

// The three messages the window posts to itself after a play.
enum TGameMessage : int {
    WM_HUMANPLAYED = QEvent::User + 1,
    WM_COMPUTERPLAYED = QEvent::User + 2,
    WM_GAMEOVER = QEvent::User + 3,
};

// How a deal was chosen: by the clock, by its number (chosen or replayed), or as the day's.
enum class TDealKind { Shuffled, Chosen, Day };

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* Parent = nullptr);
    ~TMainForm() override;

    // The table, as the window description names it.
    TKsVirtualDeck* VirtualDeck = nullptr;
    TKsCardDeck* Deck = nullptr;
    TKsCardTable* CardTable1 = nullptr;
    TKsCardTable* CardTable2 = nullptr;
    TKsCardGroup* Play1Pile = nullptr;
    std::array<TKsCardGroup*, 4> Play1Card{};
    TKsCardGroup* Play2Pile = nullptr;
    std::array<TKsCardGroup*, 4> Play2Card{};
    QPushButton* DealBtn = nullptr;
    TKsCardTable* TempTable1 = nullptr;
    TKsCardTable* TempTable2 = nullptr;
    QLabel* WaitSign1 = nullptr;
    QLabel* WaitSign2 = nullptr;
    QTimer* Timer = nullptr;
    QTimer* StuckTimer = nullptr; // CheckStuck's
    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QFrame*, 10> Bevel{};
    QPushButton* OptionBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* ScoreBtn = nullptr;
    // The commands beyond the table's buttons, in one menu at the top of the title panel
    // (Alt+G); each addition puts its own actions in it.
    QPushButton* GameBtn = nullptr;
    QMenu* GameMenu = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* ScoreLabel = nullptr;
    TTitlePanel* TitlePanel = nullptr;
    // What the player sees of the plays: flights, glows and flashes, the cards each side
    // still has to lay, and the hint to deal before the first game.
    TPlayAnimator* Animator = nullptr;
    TFeltBadge* HumanToGo = nullptr;
    TFeltBadge* ComputerToGo = nullptr;
    TFeltBadge* DealHint = nullptr;
    // "Waiting for <name>…" while a match waits for the friend to answer.
    TFeltBadge* PeerWait = nullptr;
    void ShowPeerWait(bool Shown);
    // The fumble rule's lock over the human's cards, and the game's breakdown while the
    // question after a win is asked.
    TLockShade* LockShade = nullptr;
    TGameSummary* Summary = nullptr;
    // A face-up card of the human's dragged to the pile of the player's choice.
    TCardDrag* CardDrag = nullptr;
    TFumbleLock& Fumble() { return FFumble; }

    // Start-up and shut-down.
    void FormCreate();
    void FormClose();

    // Buttons.
    void DealBtnClick();
    // Deals as the Deal button does, from a chosen number: the same number always deals the
    // same cards. A chosen deal never enters the hall of fame.
    void DealNumbered(uint64_t Number);
    // Deals these cards (SpeedDeal's order) as the deal numbered 0: a friend's deal whose
    // number is revealed after the game. A 0 among them is a face-down card not shown here.
    void DealGiven(const std::vector<int32_t>& Cards);
    // The deal's number; one dealt without a chosen number took the clock's reading.
    uint64_t DealNumber() const { return FDealNumber; }
    TDealKind DealKind() const { return FDealKind; }
    // The day's deal, the same on every computer; it enters the hall of fame at the first
    // try of the day only (MainDealNumbers).
    void DealDaysDeal();
    // Asks for a number and deals it.
    void PlayDealNumberClick();
    // The deal just played was this number, as a referee elsewhere revealed it: shown, and
    // put down with the game in the statistics.
    void ShowRevealedDeal(uint64_t Number);
    // The current result may never enter the hall of fame: it was won on a chosen deal or on
    // the day's deal tried before, or it is a Las Vegas total that holds such a game.
    bool FameBarred() const { return FFameBarred; }
    // The deal's number, small under the score; hidden before the first deal.
    QLabel* DealLabel = nullptr;
    QAction* PlayNumberAction = nullptr;
    QAction* ReplayAction = nullptr;
    QAction* DaysDealAction = nullptr;
    void OptionBtnClick();
    void HelpBtnClick();
    void ScoreBtnClick();
    void SetUpDeckSize();

    // Every play of a card comes through here, whoever makes it: the core checks it against the
    // rules (the game running, the card one rank from a free table's, the side not held), lays,
    // counts, scores and announces it, and the card groups follow. GroupLays: a click, whose
    // group lays the card once its handler returns. Request's table and card are filled in.
    // False, announced as refused, when the rules do not take it.
    bool Play(TPlay& Request, bool GroupLays = false);
    // Every play of the player at the bottom, from any input (a click, a key, the keyboard
    // frame, a drag): a match elsewhere is asked first, then Play.
    bool HumanPlay(TPlay& Request, bool GroupLays = false);
    // The game the window shows: its table, rules and score.
    TSpeedGame& Game() { return FGame; }
    const TSpeedGame& Game() const { return FGame; }
    // What happens to the game, in order.
    TGameEvents& Events() { return FGame.Events(); }
    // Whatever plays the top row: the computer unless replaced.
    TOpponent& Opponent() { return *FOpponent; }
    void SetOpponent(std::unique_ptr<TOpponent> Value);

    // A match against a player elsewhere (NetMatch) takes these over; empty ones leave the game
    // to itself. HumanPlayTaken: a play from the mouse or keys before it is checked; DealTaken:
    // the Deal button; AgainTaken: the answer whether to play again. True takes it over.
    std::function<bool(const TPlay&)> HumanPlayTaken;
    std::function<bool()> DealTaken;
    std::function<bool(bool Yes)> AgainTaken;
    // Deals each side the other's cards: the other player's table, seen from across.
    bool DealMirrored() const { return FDealMirrored; }
    void SetDealMirrored(bool Value) { FDealMirrored = Value; }
    // The plays come already decided by a referee elsewhere: a side's hold does not apply, the
    // piles turn over one pass at a time when the referee says so, and the deal's number is
    // hidden until ShowRevealedDeal.
    bool RefereeElsewhere() const { return FRefereeElsewhere; }
    void SetRefereeElsewhere(bool Value) { FRefereeElsewhere = Value; }
    // The top row's player by name; empty for the computer.
    const QString& OpponentName() const { return FOpponentName; }
    void SetOpponentName(const QString& Value) { FOpponentName = Value; }
    // Both sides reaching their goal in one turn-over is the human's win, unless this is set:
    // in a match each side must name the same winner.
    bool TieToOpponent() const { return FTieToOpponent; }
    void SetTieToOpponent(bool Value) { FTieToOpponent = Value; }
    // The game is played against a person: no score enters the hall of fame.
    bool HeadToHead() const { return FHeadToHead; }
    void SetHeadToHead(bool Value) { FHeadToHead = Value; }
    // The last deal was a match's, even once the match is over.
    bool DealtHeadToHead() const { return FDealtHeadToHead; }
    // Ends a running game without a winner, counted as abandoned.
    void AbandonGame();

    // Human play.
    static bool IsNextRank(int32_t A, int32_t B);
    // The central piles as the rules see them: top values, and a card on its way to either.
    SpeedRules::TPiles Piles() const;
    void Play1Card1CardClick(TKsCardGroup* Sender, bool& PlayIt);
    void FormKeyPress(QChar Key);
    // Lays the human's card from a slot on the first table that takes it, or with OtherPile
    // on the second when that one takes it. False when the play is refused.
    bool PlaySlot(int Slot, bool OtherPile = false);
    // Lays the human's card from a slot on table 1 or 2, as a drop there asks; refused when
    // that table does not take it. Table 0: dropped on no table, refused as a card that fits
    // nowhere.
    bool PlayOnPile(int Slot, int Table);
    // Table 1 or 2 would take the human's card from a slot now.
    bool PileTakes(int Slot, int Table) const;

    // The computer's step on each tick of its timer: its choice, laid through Play.
    void TimerTimer();
    // Turns the piles over when both rows are stuck: one check for every kind of game, while
    // the game runs, at the opponent's pace (a turn-over after a refill comes at once).
    // StuckCheckHeld, when set, holds it back (a match until both players are ready).
    void CheckStuck();
    std::function<bool()> StuckCheckHeld;
    // The refills this window's plays posted are made now.
    void FlushRefills();
    void ComputerPlayToTable1(TKsCardGroup* Slot);
    void ComputerPlayToTable2(TKsCardGroup* Slot);

    // Refill, stalemate and end of game.
    bool CanPlay(bool Human);
    void WMHumanPlayed(TKsCardGroup* Slot);
    void WMComputerPlayed(TKsCardGroup* Slot);
    void TurnOverPiles();
    void TurnOverHuman();
    void TurnOverComputer();
    void WMGameOver();

    // Scoring.
    void UpdateScoreLabel();
    // Fits the score label to its text, so that any score shows whole.
    void PlaceScoreLabel();
    // The deal number's type at the table's zoom.
    void ZoomDealLabel();
    void FitDealLabel();
    static int32_t LevelBonus(int32_t Level);
    // The level bonus a win of the current deal adds: none in a match.
    int32_t DealLevelBonus() const;
    // The game's clock starts again: a match's starts once both players have confirmed.
    void StartGameClock();

    // The game state, as the core holds it.
    int32_t CardsToWin() const { return FGame.Table().CardsToWin; }
    int32_t HumanPlayed() const { return FGame.Table().Row(TSide::Human).Played; }
    int32_t ComputerPlayed() const { return FGame.Table().Row(TSide::Computer).Played; }
    bool HumanStuck() const { return FGame.Table().Row(TSide::Human).Stuck; }
    bool ComputerStuck() const { return FGame.Table().Row(TSide::Computer).Stuck; }
    bool Table1Busy() const { return FGame.Piles().Busy[0]; }
    bool Table2Busy() const { return FGame.Piles().Busy[1]; }
    bool ComputerWon() const { return FGame.Won(TSide::Computer) && !FDecisionTaken; }
    // Dealt and not yet decided.
    bool GameRunning() const { return FGame.Running(); }
    const QString& HelpFile() const { return FHelpFile; }

    // The settings, one by one and as one value. Setting the deck count does not rebuild the
    // piles; SetUpDeckSize does.
    int32_t Scoring() const { return FScoring; }
    void SetScoring(int32_t Value) { FScoring = Value; }
    int32_t DeckCount() const { return FDeckCount; }
    void SetDeckCount(int32_t Value) { FDeckCount = Value; }
    int32_t Level() const { return FLevel; }
    void SetLevel(int32_t Value) { FLevel = Value; }
    bool ShowPlays() const;
    void SetShowPlays(bool Value);
    // How fast the plays are shown: 1 Fast, 2 Normal, 3 Slow.
    int32_t PlaySpeed() const { return FSettings.PlaySpeed; }
    void SetPlaySpeed(int32_t Value);
    bool FumbleRule() const;
    void SetFumbleRule(bool Value);
    // Sound on creates the engine, off destroys it (MainSound).
    void SetSound(bool On, int32_t Volume);
    TSoundEngine* SoundEngine() const { return FSound.get(); }
    // Setting them shows the card faces in the chosen style at once; the table size is taken
    // at start-up.
    TDisplaySettings Display() const { return FDisplay; }
    void SetDisplay(const TDisplaySettings& Value);
    TSettings Settings() const;
    TCombination Combination() const { return {FDeckCount, FScoring, FLevel}; }

    // No game dealt since start-up or since the last confirmed change of style or deck size.
    bool NewSession() const { return FNewSession; }
    void SetNewSession(bool Value) { FNewSession = Value; }
    // The current result may not (again) enter the hall of fame.
    bool FameRecorded() const { return FFameRecorded; }
    // From the winning card until the question after it is answered.
    bool HumanWon() const { return FGame.Won(TSide::Human) && !FDecisionTaken; }
    int32_t GameScore() const { return FGame.Score(); }
    TRecords& Records() { return FRecords; }
    THallOfFame& HallOfFame() { return FRecords.HallOfFame; }
    TStatistics& Statistics() { return FRecords.Statistics; }
    // What this window added to the hall of fame and the statistics since it read the file.
    TConfigAdditions& Additions() { return FRecords.Additions; }

    // The computer opponent's timer. Held back while the player is away, it still counts as
    // running for a dialog's pause.
    bool TimerEnabled() const;
    void SetTimerEnabled(bool Value);
    int32_t TimerInterval() const;
    void SetTimerInterval(int32_t Milliseconds);

    // The window's size at 100 %, in table units.
    static constexpr int TableWidth = 632;
    static constexpr int TableHeight = 453;
    // The table follows the window's size: shown Zoom times as large as at 100 % (the
    // window description), centred on felt-coloured margins. 1 until the window is resized.
    qreal Zoom() const { return FZoom; }
    // While the window is being resized the cards are drawn from the art for the new size only
    // once it has rested this long; 0 draws them at once.
    int ZoomSettleMs() const { return FZoomSettleMs; }
    void SetZoomSettleMs(int Value) { FZoomSettleMs = Value; }
    // The window rectangle of a rectangle in table units.
    QRect ToWindow(const QRect& TableUnits) const;
    // Places a control at a rectangle in table units, now and at every later zoom.
    void PlaceInTable(QWidget* Control, const QRect& TableUnits);
    // Gives the window Size, no larger than the screen's free area, keeping its centre.
    void FitWindow(QSize Size);

protected:
    bool event(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    friend class TMainFormProbe; // tests set up game states directly

    void LoadWindowDescription();
    // Given: the cards to deal (a friend's), else the number's.
    void Deal(std::optional<uint64_t> Number, TDealKind Kind = TDealKind::Shuffled,
              const std::vector<int32_t>* Given = nullptr);
    void CreateDealCommands();
    void ShowDealNumber();
    // The deal's number as the records keep it: 0 for a match's key, which they cannot hold.
    int32_t RecordedDeal() const;
    // Takes every control's rectangle as the table units it keeps (MainZoom).
    void RecordTableUnits();
    void ApplyZoom();
    // Screen pixels at no scaling to a window pixel: the scale the toolkit was started with.
    static qreal StartScale();
    // The window size kept in the settings (0 x 0 for the table size's own), and back.
    QSize KeptWindowSize() const;
    void RestoreWindowSize(int32_t Width, int32_t Height);
    // A new table size chosen: the window takes it at once.
    void ApplyTableSize(int32_t Size);
    // The window's size at a table size (0 Automatic), and Size as far as it fits the screen
    // with the window's frame.
    static QSize TableSizeWindow(int32_t Size);
    QSize FittedSize(QSize Size) const;
    QSize FrameAllowance() const;
    // The dialogs and the other windows take the table size chosen as they show.
    void ScaleDialogsWithTable();
    void ArrangeDrawingOrder();
    void PostGameMessage(TGameMessage Message, TKsCardGroup* Slot);
    // Deals Cards (SpeedDeal's order; 0 a face-down card not known here) onto the card groups
    // and the core.
    void DealCards(const std::vector<int32_t>& Cards);
    // The card groups follow the core's events (MainTable).
    void FollowGame(const TGameEvent& Event);
    void ShowWaitSigns();
    void StartStuckCheck();
    void ShowWaitSign(QLabel* Sign, bool Visible);
    // The computer waits while the player cannot see the table: the help window is active
    // or the game window is minimized (MainAway).
    void WatchPlayerAway();
    void UpdatePlayerAway();
    // Starts the computer's timer, or leaves it to start when the player is back.
    void StartComputer();
    void ComputerPlayToTable(TKsCardGroup* Slot, int Table);
    // Finds whether each side can play, announcing a side that no longer can.
    void FindStuck();
    void AnnounceAbandoned();
    void Refill(TSide Side, TKsCardGroup* Slot);
    // A row's card of a turn-over pass, from its pile (TurnedFromPile) or a slot, onto Table.
    void TurnOver(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots,
                  TKsCardTable* Table, int From);
    static int32_t TopPileEntry(TKsCardGroup* Pile);
    static int32_t TopValue(TKsCardTable* Table);
    // Seeing the plays (MainShowPlays).
    void CreatePlayView();
    void CreateSound();
    // The settings the options dialog saved, applied in the order the game needs them.
    void ApplyOptions(const TSettings& Saved, bool NewGame);
    // Offers the game's score to the hall of fame, unless it may not (again) enter it.
    void OfferHallOfFame(QWidget* Parent);
    // Puts a record just made into the file; the first failure of a run is told.
    void SaveRecordsNow();

    int32_t FScoring = 0;
    int32_t FDeckCount = 1;
    int32_t FLevel = 2;
    uint64_t FDealNumber = 0;
    TDealKind FDealKind = TDealKind::Shuffled;
    int32_t FDealDay = 0; // the day of the day's deal being played, else 0
    bool FFameBarred = false;
    bool FNewSession = false;
    bool FFameRecorded = false;
    // The question after a win was answered: the win no longer holds up the computer or counts
    // as just won.
    bool FDecisionTaken = false;

    // The click whose group lays its card itself once the handler returns.
    bool FGroupLays = false;
    // The turn-over pass the groups are following.
    std::array<int, 2> FTurnedFrom{-1, -1};
    TRecords FRecords;
    // The settings as loaded or last saved: a choice the window keeps no state of its own for
    // rides along in Settings().
    TSettings FSettings;
    TDisplaySettings FDisplay;

    bool FDealMirrored = false;
    bool FRefereeElsewhere = false;
    bool FHeadToHead = false;
    bool FDealtHeadToHead = false; // the last deal was a match's, even once the match is over
    bool FTieToOpponent = false;
    QString FOpponentName;
    bool FStuckWinnerReported = false;
    // Moves on with each deal and each abandoned game: a deal whose confirmation comes back to
    // find it moved (a match ended, or a newer deal came, while the box was open) is not begun.
    int FDealSerial = 0;
    int64_t FGameStart = 0; // when the deal was confirmed, on the statistics clock
    bool FPlayerAway = false;
    bool FTimerStoppedAway = false; // the computer plays on when the player is back
    QString FHelpFile;
    TFumbleLock FFumble;
    TSpeedGame FGame;
    THumanInput FHumanInput{FFumble};
    std::unique_ptr<TOpponent> FOpponent;
    std::unique_ptr<TRecordKeeper> FRecordKeeper;
    std::unique_ptr<TRecordsSaver> FRecordsSaver;
    bool FRecordsSaveTold = false;
    std::unique_ptr<TPlayView> FPlayView;
    std::unique_ptr<TSoundEngine> FSound;
    std::vector<std::pair<QWidget*, QRect>> FTableUnits;
    qreal FZoom = 1;
    int FZoomSettleMs = 150;
    QSize FTableSizeFitted; // what of the table size's window fitted the screen when applied
    QPoint FTableOrigin;    // the table's top-left corner in the window
};

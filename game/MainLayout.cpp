// The window description, start-up and shut-down, the buttons and the posted messages.

#include "Bevel.h"
#include "ConfigFile.h"
#include "FirstFrame.h"
#include "HelpWindow.h"
#include "KeySlot.h"
#include "KeyboardPlay.h"
#include "Level.h"
#include "Main.h"
#include "NetCommands.h"
#include "Options.h"
#include "ProgramFiles.h"
#include "Scores.h"
#include "SoundEngine.h"
#include "TableAccess.h"
#include "TablePicture.h"
#include "TitlePanel.h"
#include "Translations.h"
#include "ksabort.h"
#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "ksformloader.h"
#include "ksvirtualdeck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// The slot's argument of a posted game message.
class TGameMessageEvent : public QEvent {
public:
    TGameMessageEvent(TGameMessage Message, TKsCardGroup* Slot)
        : QEvent(static_cast<QEvent::Type>(Message)), FSlot(Slot) {}
    TKsCardGroup* Slot() const { return FSlot; }

private:
    TKsCardGroup* FSlot;
};

constexpr int ClientWidth = TMainForm::TableWidth;
constexpr int ClientHeight = TMainForm::TableHeight;
constexpr int SlotLefts[4] = {260, 354, 449, 544};
constexpr int BevelLefts[4] = {259, 353, 448, 543};

} // namespace

TMainForm::TMainForm(QWidget* Parent) : QWidget(Parent) {
    setWindowTitle(QStringLiteral("Tolvi"));
    // Any size: the table scales with the window (MainZoom).
    setMinimumSize(ClientWidth / 2, ClientHeight / 2);
    resize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);
    // MS Sans Serif is rarely installed here; Liberation Sans keeps its metrics closest.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
    // The card groups follow the game before anything else hears of it: whatever follows sees
    // the table as it now is.
    FGame.Events().Subscribe([this](const TGameEvent& e) { FollowGame(e); });
    FGame.StuckFound = [this] { ShowWaitSigns(); };
    LoadWindowDescription();
    ArrangeDrawingOrder();
    CreatePlayView();
    CreateSound();
    CreateDealCommands();
    SetUpKeyboardPlay(*this);
    SetUpTableAccess(*this);
    RecordTableUnits();
    AddNetworkCommands(*this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    KsSetMainWindow(this);
    ScaleDialogsWithTable();
    WatchPlayerAway();
    KsHandleEvent([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::LoadWindowDescription() {
    TitlePanel = new TTitlePanel(this);
    TitlePanel->setGeometry(0, 0, 90, ClientHeight);

    TKsFormLoader load;
    VirtualDeck = load.Create<TKsVirtualDeck>(this, [](TKsVirtualDeck& d) {
        d.SetShuffleCount(100);
        d.SetOriginX(151);
        d.SetOriginY(178);
    });
    Deck = load.Create<TKsCardDeck>(this, [](TKsCardDeck& d) {
        d.setGeometry(118, 169, 103, 104);
        d.SetAutoSize(true);
        d.SetShowLastCard(false);
        d.CardLast().SetShowBack(false);
    });
    VirtualDeck->SetVisualDeck(Deck);

    auto describeTable = [this](TKsCardTable& t) {
        t.SetEmpty(true);
        for (int p = 0; p < 4; ++p) {
            t.CardAt(p)->SetShowBack(false);
            t.CardAt(p)->SetEmpty(true);
        }
        t.SetVirtualDeck(VirtualDeck);
        t.GameOptions().SetTableOpenCards(1);
    };
    CardTable1 = load.Create<TKsCardTable>(this, [&](TKsCardTable& t) {
        t.setGeometry(276, 168, 131, 156);
        describeTable(t);
    });
    CardTable2 = load.Create<TKsCardTable>(this, [&](TKsCardTable& t) {
        t.setGeometry(423, 168, 131, 156);
        describeTable(t);
    });

    auto describePile = [](TKsCardGroup& g, int Top, TKsCardTable* Table) {
        g.setGeometry(135, Top, 71, 96);
        for (int i = 0; i < 21; ++i)
            g.CardList().Add().Card().SetEmpty(true);
        g.SetTable(Table);
        g.SetCascadeStyle(csTight);
        g.SetAutoTight(true);
        g.SetShowAutoTight(true);
        g.SetTightness(0);
    };
    auto describeSlot = [](TKsCardGroup& g, int Left, int Top, TKsCardTable* Table) {
        g.setGeometry(Left, Top, 71, 96);
        g.SetShowBack(false);
        TKsSingleCard& card = g.CardList().Add().Card();
        card.SetShowBack(false);
        card.SetEmpty(true);
        g.SetTable(Table);
    };
    Play1Pile =
        load.Create<TKsCardGroup>(this, [&](TKsCardGroup& g) { describePile(g, 344, CardTable1); });
    for (int i = 0; i < 4; ++i)
        Play1Card[i] = load.Create<TKsCardGroup>(this, [&](TKsCardGroup& g) {
            describeSlot(g, SlotLefts[i], 344, CardTable1);
            g.OnCardClick = [this](TKsCardGroup* Sender, TKsSingleCard*, int32_t, bool& PlayIt,
                                   TKsTablePos&, bool&,
                                   Qt::MouseButton) { Play1Card1CardClick(Sender, PlayIt); };
        });
    Play2Pile =
        load.Create<TKsCardGroup>(this, [&](TKsCardGroup& g) { describePile(g, 24, CardTable2); });
    for (int i = 0; i < 4; ++i)
        Play2Card[i] = load.Create<TKsCardGroup>(
            this, [&](TKsCardGroup& g) { describeSlot(g, SlotLefts[i], 24, CardTable2); });

    CardTable1->PlayerList().Add().CardGroup = Play1Pile;
    CardTable2->PlayerList().Add().CardGroup = Play2Pile;
    for (int i = 0; i < 4; ++i) {
        CardTable1->PlayerList().Add().CardGroup = Play1Card[i];
        CardTable2->PlayerList().Add().CardGroup = Play2Card[i];
    }

    DealBtn = new QPushButton(tr("&Deal"), this);
    DealBtn->setGeometry(6, 338, 75, 25);
    // Mouse and Alt-letter only: a button holding the focus would deal again on Space.
    DealBtn->setFocusPolicy(Qt::NoFocus);
    connect(DealBtn, &QPushButton::clicked, this,
            [this] { KsHandleEvent([this] { DealBtnClick(); }); });

    auto describeTempTable = [](TKsCardTable& t) {
        t.hide();
        t.GameOptions().SetTableOpenCards(1);
        t.GameOptions().SetTableCloseCards(1);
        t.GameOptions().SetTakeDelay(0);
        // Never shown: the cards only pass through, and a picture of them would be memory held
        // for nothing (nine times as much at 300 %).
        t.Surface().SetSize(0, 0);
    };
    TempTable1 = load.Create<TKsCardTable>(this, [&](TKsCardTable& t) {
        t.setGeometry(92, 2, 30, 22);
        describeTempTable(t);
    });
    TempTable2 = load.Create<TKsCardTable>(this, [&](TKsCardTable& t) {
        t.setGeometry(94, 12, 29, 26);
        describeTempTable(t);
    });

    auto makeImage = [this](int Left, int Top, int Size, const char* Name) {
        auto* image = new TTablePicture(QString::fromLatin1(Name), this);
        image->setGeometry(Left, Top, Size, Size);
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        return image;
    };
    WaitSign1 = makeImage(212, 364, 32, "waitsign");
    WaitSign1->hide();
    WaitSign2 = makeImage(212, 49, 32, "waitsign");
    WaitSign2->hide();

    Timer = new QTimer(this);
    Timer->setInterval(750);
    connect(Timer, &QTimer::timeout, this, [this] { KsHandleEvent([this] { TimerTimer(); }); });
    StuckTimer = new QTimer(this);
    connect(StuckTimer, &QTimer::timeout, this,
            [this] { KsHandleEvent([this] { CheckStuck(); }); });

    Image2 = makeImage(306, 176, 80, "ring");
    Image1 = makeImage(453, 176, 80, "ring");

    auto makeBevel = [this](int Left, int Top) {
        auto* bevel = new TBevel(this);
        bevel->setGeometry(Left, Top, 73, 98);
        return bevel;
    };
    Bevel[3] = makeBevel(134, 23);
    Bevel[5] = makeBevel(134, 343);
    const int top[2] = {23, 343};
    const int index[2][4] = {{0, 1, 2, 4}, {6, 7, 8, 9}};
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 4; ++i)
            Bevel[index[row][i]] = makeBevel(BevelLefts[i], top[row]);

    auto makeButton = [this](const QString& Caption, int Top, void (TMainForm::*Click)()) {
        auto* button = new QPushButton(Caption, this);
        button->setGeometry(6, Top, 75, 25);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this,
                [this, Click] { KsHandleEvent([this, Click] { (this->*Click)(); }); });
        return button;
    };
    OptionBtn = makeButton(tr("&Options"), 366, &TMainForm::OptionBtnClick);
    HelpBtn = makeButton(tr("&Help"), 394, &TMainForm::HelpBtnClick);
    ScoreBtn = makeButton(tr("&Scores"), 422, &TMainForm::ScoreBtnClick);

    // Above the title, clear of the table; the menu opens on a click or Alt+G.
    GameBtn = new QPushButton(tr("&Game"), this);
    GameBtn->setGeometry(6, 8, 75, 25);
    GameBtn->setFocusPolicy(Qt::NoFocus);
    GameMenu = new QMenu(GameBtn);
    GameBtn->setMenu(GameMenu);

    // Stored sizes, as for the buttons: measuring text here would load the whole font
    // database before the window can appear.
    Label9 = new QLabel(tr("Score :"), this);
    Label9->setGeometry(565, 208, 35, 13);
    ScoreLabel = new QLabel(QStringLiteral("0"), this);
    ScoreLabel->setGeometry(599, 208, 30, 13);

    load.Finish();
}

void TMainForm::ArrangeDrawingOrder() {
    // Back to front: the title panel, bevels, pictures, card controls, wait signs, labels,
    // and the push buttons above everything.
    TitlePanel->raise();
    for (QFrame* bevel : Bevel)
        bevel->raise();
    Image2->raise();
    Image1->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{Deck, CardTable1, CardTable2, Play1Pile,
                                                      Play2Pile, TempTable1, TempTable2})
        w->raise();
    for (int i = 0; i < 4; ++i) {
        Play1Card[i]->raise();
        Play2Card[i]->raise();
    }
    WaitSign1->raise();
    WaitSign2->raise();
    Label9->raise();
    ScoreLabel->raise();
    for (QPushButton* b : {DealBtn, OptionBtn, HelpBtn, ScoreBtn, GameBtn})
        b->raise();
}

void TMainForm::FormCreate() {
    FNewSession = true;
    FFameRecorded = false;
    FHelpFile = HelpFilePath();
    const TSettings settings = LoadConfig(FRecords);
    FSettings = settings;
    FScoring = settings.Scoring;
    FDeckCount = settings.DeckCount;
    FLevel = settings.Level;
    SetShowPlays(settings.ShowPlays);
    SetPlaySpeed(settings.PlaySpeed);
    SetFumbleRule(settings.FumbleRule);
    // Once the first frame is out: opening the device and making the sounds take longer than
    // drawing the table.
    RunAfterFirstFrame(*this, [this] { SetSound(FSettings.Sound, FSettings.SoundVolume); });
    SetDisplay(settings.Display);
    RestoreWindowSize(settings.WindowWidth, settings.WindowHeight);
    SetOpponent(MakeOpponent(*this));
    if (FDeckCount != 1)
        SetUpDeckSize();
    CardTable1->PrepareDeck();
    CardTable2->PrepareDeck();
}

void TMainForm::FormClose() {
    // What this window added since its last save goes into the one save below.
    FRecordsSaver->Stop();
    AnnounceAbandoned();
    // The running Las Vegas total is offered again, unless this run entered it unchanged.
    if (FScoring == 1)
        FFameRecorded = Additions().LastFameIs(Combination(), GameScore());
    if (HumanWon() || FScoring == 1)
        OfferHallOfFame(this);
    if (const TConfigSave saved = SaveConfig(Settings(), FRecords); !saved)
        KsMessageDlg(saved.Message(), mtError, {mbOK});
}

void TMainForm::closeEvent(QCloseEvent* Event) {
    FOpponent->Stop();
    KsHandleEvent([this] { FormClose(); });
    Event->accept();
}

namespace {

// Stops the computer's timer for this object's lifetime; when it was running, it is started
// again at the end unless Resume has been turned off.
class TTimerPause {
public:
    explicit TTimerPause(TMainForm& Form) : FForm(Form), FWasRunning(Form.TimerEnabled()) {
        FForm.SetTimerEnabled(false);
    }
    ~TTimerPause() {
        if (FWasRunning && FResume)
            FForm.SetTimerEnabled(true);
    }
    TTimerPause(const TTimerPause&) = delete;
    TTimerPause& operator=(const TTimerPause&) = delete;

    void SetResume(bool Value) { FResume = Value; }

private:
    TMainForm& FForm;
    bool FWasRunning;
    bool FResume = true;
};

} // namespace

void TMainForm::OptionBtnClick() {
    bool newGame = false;
    {
        // The timer runs on afterwards only if it was running, no new deal follows and the
        // human has not just won.
        TTimerPause pause(*this);
        const TOptionsResult result = RunOptionsDialog(
            Settings(), {FNewSession, HumanWon()},
            [this](QWidget* Parent) { OfferHallOfFame(Parent); }, this);
        if (result.Saved)
            ApplyOptions(result.Settings, result.NewGameNeeded);
        newGame = result.NewGameNeeded;
        pause.SetResume(!newGame && !HumanWon());
    }
    if (newGame)
        DealBtnClick();
}

void TMainForm::ApplyOptions(const TSettings& Saved, bool NewGame) {
    if (NewGame)
        FNewSession = true;
    if (GameChanged(Settings(), Saved))
        FFameRecorded = true;
    SetShowPlays(Saved.ShowPlays);
    SetPlaySpeed(Saved.PlaySpeed);
    SetFumbleRule(Saved.FumbleRule);
    SetSound(Saved.Sound, Saved.SoundVolume);
    if (Saved.DeckCount != FDeckCount) {
        FDeckCount = Saved.DeckCount;
        SetUpDeckSize();
    }
    FScoring = Saved.Scoring;
    if (Saved.Level != FLevel) {
        FLevel = Saved.Level;
        // A match's friend plays on; the computer at the new level comes back after it.
        if (!FHeadToHead)
            SetOpponent(MakeOpponent(*this));
    }
    if (Saved.Display.TableSize != FDisplay.TableSize)
        ApplyTableSize(Saved.Display.TableSize);
    if (Saved.Display != FDisplay)
        SetDisplay(Saved.Display);
    FSettings = Saved;
}

void TMainForm::OfferHallOfFame(QWidget* Parent) {
    // A game against a person never enters it, though the match may have ended since.
    if (FHeadToHead || FDealtHeadToHead)
        return;
    if (!FFameRecorded && !FFameBarred &&
        CheckHallOfFame(FRecords, Combination(), GameScore(), Parent, RecordedDeal())) {
        FFameRecorded = true;
        SaveRecordsNow();
    }
}

void TMainForm::SaveRecordsNow() {
    const std::optional<TConfigSave> saved = FRecordsSaver->Save();
    // Once a run: what was not saved stays to be saved with the next record or at close,
    // which tells again.
    if (saved && !*saved && !saved->Busy && !FRecordsSaveTold) {
        FRecordsSaveTold = true;
        KsMessageDlg(saved->Message(), mtError, {mbOK});
    }
}

TSettings TMainForm::Settings() const {
    TSettings settings = FSettings;
    settings.Scoring = FScoring;
    settings.DeckCount = FDeckCount;
    settings.Level = FLevel;
    settings.ShowPlays = ShowPlays();
    settings.FumbleRule = FumbleRule();
    settings.Display = FDisplay;
    const QSize kept = KeptWindowSize();
    settings.WindowWidth = kept.width() > 0 ? kept.width() : 0;
    settings.WindowHeight = kept.height() > 0 ? kept.height() : 0;
    return settings;
}

void TMainForm::ScoreBtnClick() {
    const TTimerPause pause(*this);
    ShowHallOfFame(FRecords, Combination(), this);
}

void TMainForm::HelpBtnClick() {
    if (!QFileInfo::exists(FHelpFile)) {
        KsMessageDlg(
            tr("The help file was not found:\n%1").arg(QDir::toNativeSeparators(FHelpFile)),
            mtError);
        return;
    }
    OpenHelp(TranslatedHelpFile(FHelpFile), this);
}

bool TMainForm::TimerEnabled() const {
    // Held back while the player is away, it still counts as running for a dialog's pause.
    return FOpponent->Running() || FTimerStoppedAway;
}

void TMainForm::SetTimerEnabled(bool Value) {
    // A dialog closing after the game was decided must not wake the computer again.
    if (Value && GameRunning()) {
        StartComputer();
    } else if (!Value) {
        FTimerStoppedAway = false;
        FOpponent->Stop();
    }
}

int32_t TMainForm::TimerInterval() const {
    return Timer->interval();
}

void TMainForm::SetTimerInterval(int32_t Milliseconds) {
    Timer->setInterval(Milliseconds);
}

void TMainForm::PostGameMessage(TGameMessage Message, TKsCardGroup* Slot) {
    QCoreApplication::postEvent(this, new TGameMessageEvent(Message, Slot));
}

bool TMainForm::event(QEvent* Event) {
    switch (static_cast<int>(Event->type())) {
    case WM_HUMANPLAYED:
        KsHandleEvent([&] { WMHumanPlayed(static_cast<TGameMessageEvent*>(Event)->Slot()); });
        return true;
    case WM_COMPUTERPLAYED:
        KsHandleEvent([&] { WMComputerPlayed(static_cast<TGameMessageEvent*>(Event)->Slot()); });
        return true;
    case WM_GAMEOVER:
        KsHandleEvent([this] { WMGameOver(); });
        return true;
    default:
        return QWidget::event(Event);
    }
}

void TMainForm::keyPressEvent(QKeyEvent* Event) {
    // No control of the window takes the keyboard focus, so every key reaches the window.
    const int slot = KeySlot(*Event);
    // With Shift the card goes on the second pile when it fits there.
    if (slot >= 0 && (Event->modifiers() & Qt::ShiftModifier))
        KsHandleEvent([&] { PlaySlot(slot, true); });
    else if (slot >= 0)
        KsHandleEvent([&] { FormKeyPress(QChar(u'1' + slot)); });
    QWidget::keyPressEvent(Event);
}

void TMainForm::ShowWaitSign(QLabel* Sign, bool Visible) {
    // Every play asks for both signs: one already as asked is on the screen as it should be,
    // and repainting it would only send the same pixels to the screen again.
    if (Sign->isHidden() != Visible)
        return;
    Sign->setVisible(Visible);
    repaint(Sign->geometry());
}

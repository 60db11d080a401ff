// Deals by number: the deal's number under the score, and the Game menu's commands to play a
// number, to replay the deal and to play the day's deal.

#include "DaysDeal.h"
#include "Main.h"
#include "ksabort.h"
#include "ksdialogs.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

void TMainForm::CreateDealCommands() {
    // Under the score, right-aligned to the table's edge, clear of a score that needs the
    // line below; nothing shows before the first deal. Placed and sized with the table.
    DealLabel = new QLabel(this);
    DealLabel->setObjectName(QStringLiteral("DealLabel"));
    DealLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DealLabel->setGeometry(TableWidth - 2 - 90, 236, 90, 12);
    ZoomDealLabel();
    DealLabel->hide();

    PlayNumberAction = GameMenu->addAction(tr("Play deal &number…"));
    ReplayAction = GameMenu->addAction(tr("&Replay this deal"));
    ReplayAction->setEnabled(false);
    DaysDealAction = GameMenu->addAction(tr("The &day's deal"));
    const auto command = [this](QAction* Action, void (TMainForm::*Run)()) {
        connect(Action, &QAction::triggered, this,
                [this, Run] { KsHandleEvent([this, Run] { (this->*Run)(); }); });
    };
    command(PlayNumberAction, &TMainForm::PlayDealNumberClick);
    command(DaysDealAction, &TMainForm::DealDaysDeal);
    connect(ReplayAction, &QAction::triggered, this,
            [this] { KsHandleEvent([this] { DealNumbered(FDealNumber); }); });
}

void TMainForm::ZoomDealLabel() {
    // Its own small type, which the window's type at the zoom does not reach.
    constexpr int DealPixels = 9;
    QFont small = font();
    small.setPixelSize(std::max(1, int(std::lround(DealPixels * FZoom))));
    DealLabel->setFont(small);
    FitDealLabel();
}

void TMainForm::FitDealLabel() {
    // A match's deal is a 64-bit key, longer than the place under the score: cut in the middle
    // on the table, whole for a screen reader and in the tooltip.
    const QString full = DealLabel->accessibleName();
    const QString shown =
        DealLabel->fontMetrics().elidedText(full, Qt::ElideMiddle, DealLabel->width());
    DealLabel->setText(shown);
    DealLabel->setToolTip(shown == full ? QString() : full);
}

void TMainForm::ShowDealNumber() {
    // A deal sent by a referee elsewhere shows its number only once the game is over.
    if (FRefereeElsewhere) {
        DealLabel->hide();
        ReplayAction->setEnabled(false);
        return;
    }
    DealLabel->setAccessibleName(tr("Deal %1").arg(FDealNumber));
    FitDealLabel();
    DealLabel->show();
    ReplayAction->setEnabled(true);
}

int32_t TMainForm::RecordedDeal() const {
    return FDealNumber <= uint64_t(std::numeric_limits<int32_t>::max()) ? int32_t(FDealNumber) : 0;
}

void TMainForm::ShowRevealedDeal(uint64_t Number) {
    FDealNumber = Number;
    FRecordKeeper->DealRevealed(FDealNumber);
    const bool hidden = std::exchange(FRefereeElsewhere, false);
    ShowDealNumber();
    FRefereeElsewhere = hidden;
}

void TMainForm::PlayDealNumberClick() {
    QInputDialog ask(this);
    ask.setWindowTitle(tr("Play deal number"));
    ask.setLabelText(tr("Deal number:"));
    ask.setInputMode(QInputDialog::IntInput);
    ask.setIntRange(0, std::numeric_limits<int32_t>::max());
    ask.setIntValue(int(FDealNumber));
    if (Dialogs().Exec(ask) == QDialog::Accepted)
        DealNumbered(uint32_t(ask.intValue()));
}

void TMainForm::DealDaysDeal() {
    Deal(DaysDealNumber(Today()), TDealKind::Day);
}

#include "Scores.h"

#include "DialogScale.h"
#include "DialogSupport.h"
#include "GetName.h"
#include "Records.h"
#include "StatisticsView.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

TScoreForm::TScoreForm(QWidget* Parent)
    : QDialog(Parent), FLabel1(new QLabel(tr("Hall of Fame"), this)), FList(new QListWidget(this)),
      FButton1(new QPushButton(tr("&Ok"), this)) {
    setObjectName(QStringLiteral("ScoreForm"));
    SetUpFixedDialog(*this, tr("Scores"), 407, 312, true);

    FLabel1->setObjectName(QStringLiteral("Label1"));
    FLabel1->setFont(ComicFont(16, true));
    QPalette palette = FLabel1->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    FLabel1->setPalette(palette);
    FLabel1->move(154, 1);
    FLabel1->adjustSize();

    FList->setObjectName(QStringLiteral("List"));
    FList->setGeometry(14, 25, 379, 239);
    FList->setFont(CourierFont(13));
    SetFixedItemHeight(*FList, 16);

    FButton1->setObjectName(QStringLiteral("Button1"));
    FButton1->setGeometry(166, 284, 75, 25);
    FButton1->setDefault(true);
    connect(FButton1, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(FButton1, FList);
    FButton1->setFocus();
    CenterOnGameWindow(*this);
}

void TScoreForm::AddStatistics(TRecords& Records, const TCombination& Current) {
    if (FStatsBtn)
        return;
    FStatsBtn = new QPushButton(StringRes::StatisticsToggle(), this);
    FStatsBtn->setObjectName(QStringLiteral("StatsBtn"));
    FStatsBtn->setGeometry(318, 284, 75, 25);
    FStatsBtn->setCheckable(true);
    FStatistics = new TStatisticsView(Records, Current, this);
    FStatistics->move(0, height());
    FStatistics->hide();
    setProperty(DialogLargestSizeProperty, QSize(width(), height() + FStatistics->height()));
    connect(FStatsBtn, &QPushButton::toggled, this, &TScoreForm::ShowStatistics);
    setTabOrder(FList, FStatsBtn);
    setTabOrder(FStatsBtn, FStatistics->List());
    setTabOrder(FStatistics->List(), FStatistics->ResetBtn());
}

void TScoreForm::ShowStatistics(bool Show) {
    if (!FStatistics)
        return;
    if (FStatsBtn->isChecked() != Show) {
        FStatsBtn->setChecked(Show); // comes back here through toggled
        return;
    }
    FStatistics->setVisible(Show);
    setFixedSize(width(), FStatistics->y() + (Show ? FStatistics->height() : 0));
    // Grown downwards, the dialog may reach past the screen: it moves up as far as needed.
    if (const QScreen* where = screen(); where && isVisible()) {
        const int below = frameGeometry().bottom() - where->availableGeometry().bottom();
        if (below > 0)
            move(x(), std::max(where->availableGeometry().top(), y() - below));
    }
}

void TScoreForm::SetMarkedSection(int Row) {
    if (FMarked >= 0)
        for (int i = FMarked; i < std::min(FMarked + 7, FList->count()); ++i) {
            QFont plain = FList->item(i)->font();
            plain.setBold(false);
            FList->item(i)->setFont(plain);
        }
    FMarked = Row >= 0 && Row < FList->count() ? Row : -1;
    if (FMarked < 0) {
        FList->setCurrentRow(-1);
        return;
    }
    // The title, heading and five places of the table in bold; the title selected.
    for (int i = FMarked; i < std::min(FMarked + 7, FList->count()); ++i) {
        QFont bold = FList->item(i)->font();
        bold.setBold(true);
        FList->item(i)->setFont(bold);
    }
    FList->setCurrentRow(FMarked);
    ScrollToMarked();
}

void TScoreForm::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    ScrollToMarked();
}

void TScoreForm::ScrollToMarked() {
    if (FMarked < 0)
        return;
    // The list lays its lines out only when shown; the scroll range needs them now.
    FList->doItemsLayout();
    FList->scrollToItem(FList->item(FMarked), QAbstractItemView::PositionAtTop);
}

bool CheckHallOfFame(TRecords& Records, const TCombination& Combination, int32_t Score,
                     QWidget* Parent, int32_t Deal) {
    if (Score <= 0 || !Combination.Valid())
        return false;
    TFameTable& table = Records.HallOfFame.Table(Combination);
    if (std::none_of(table.begin(), table.end(),
                     [Score](const TFameEntry& e) { return e.FameScore < Score; }))
        return false;
    QString name = AskName(Parent, Records.Additions.LastName());
    name.remove(FameSeparator);
    const TFameEntry entry{Score, LeftChars(name, FameNameLength), Deal};
    if (!entry.FameName.isEmpty())
        Records.Additions.EnterName(entry.FameName);
    InsertFameEntry(table, entry);
    Records.Additions.AddFame(Combination, entry);
    return true;
}

void ShowHallOfFame(TRecords& Records, const TCombination& Current, QWidget* Parent) {
    TScoreForm form(Parent);
    const QStringList lines = HallOfFameLines(Records.HallOfFame);
    form.List()->addItems(lines);
    form.AddStatistics(Records, Current);
    const QString current = Current.Title();
    form.SetMarkedSection(current.isEmpty() ? -1 : int(lines.indexOf(current)));
    Dialogs().Exec(form);
}

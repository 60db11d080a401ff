#include "StatisticsView.h"

#include "DialogSupport.h"
#include "Records.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QListWidget>
#include <QPushButton>

TStatisticsView::TStatisticsView(TRecords& Records, const TCombination& Current, QWidget* Parent)
    : QWidget(Parent), FRecords(Records), FCurrent(Current), FList(new QListWidget(this)),
      FResetBtn(new QPushButton(StringRes::ResetStatistics(), this)) {
    setObjectName(QStringLiteral("StatisticsView"));
    resize(Width, Height);
    // As the hall-of-fame list, so the two pages read alike.
    FList->setObjectName(QStringLiteral("StatisticsList"));
    FList->setGeometry(14, 0, 379, 239);
    FList->setFont(CourierFont(13));
    SetFixedItemHeight(*FList, 16);
    FResetBtn->setObjectName(QStringLiteral("ResetBtn"));
    FResetBtn->setGeometry(146, 250, 115, 25);
    connect(FResetBtn, &QPushButton::clicked, this, [this] { ResetBtnClick(); });
    Fill();
}

void TStatisticsView::Fill() {
    FList->clear();
    FList->addItems(StatisticsLines(FRecords.Statistics, FCurrent));
}

void TStatisticsView::ResetBtnClick() {
    if (KsMessageDlg(StringRes::ResetStatisticsQuestion(), mtConfirmation, {mbYes, mbNo}) != mbYes)
        return;
    FRecords.Statistics.Clear();
    FRecords.Additions.ResetStatistics();
    Fill();
}

#include "StatisticsView.h"

#include "ConfigAdditions.h"
#include "DialogSupport.h"
#include "OptionsHost.h"
#include "Statistics.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QListWidget>
#include <QPushButton>

TStatisticsView::TStatisticsView(TOptionsHost& Host, QWidget* Parent)
    : QWidget(Parent), FHost(Host), FList(new QListWidget(this)),
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
    FList->addItems(
        StatisticsLines(FHost.Statistics(), {FHost.DeckCount(), FHost.Scoring(), FHost.Level()}));
}

void TStatisticsView::ResetBtnClick() {
    if (KsMessageDlg(StringRes::ResetStatisticsQuestion(), mtConfirmation, {mbYes, mbNo}) != mbYes)
        return;
    FHost.Statistics().Clear();
    FHost.Additions().ResetStatistics();
    Fill();
}

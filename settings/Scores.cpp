#include "Scores.h"

#include "DialogSupport.h"
#include "GetName.h"
#include "HallOfFame.h"
#include "OptionsHost.h"
#include "ksdialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

constexpr int ListItemHeight = 16;

class TFixedHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), ListItemHeight};
    }
};

} // namespace

TScoreForm::TScoreForm(QWidget* Parent)
    : QDialog(Parent), FLabel1(new QLabel(QStringLiteral("Hall of Fame"), this)),
      FList(new QListWidget(this)), FButton1(new QPushButton(QStringLiteral("&Ok"), this)) {
    setObjectName(QStringLiteral("ScoreForm"));
    SetUpFixedDialog(*this, QStringLiteral("Scores"), 407, 312, true);

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
    FList->setUniformItemSizes(true);
    FList->setItemDelegate(new TFixedHeightDelegate(FList));

    FButton1->setObjectName(QStringLiteral("Button1"));
    FButton1->setGeometry(166, 284, 75, 25);
    FButton1->setDefault(true);
    connect(FButton1, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(FButton1, FList);
    FButton1->setFocus();
    CenterOnGameWindow(*this);
}

void CheckHallOfFame(TOptionsHost& Host, QWidget* Parent) {
    const int32_t score = Host.GameScore();
    if (Host.FameRecorded() || score <= 0 ||
        !THallOfFame::ValidTable(Host.DeckCount(), Host.Scoring(), Host.Level()))
        return;
    TFameTable& table = Host.HallOfFame().Table(Host.DeckCount(), Host.Scoring(), Host.Level());
    const auto place = std::find_if(table.begin(), table.end(),
                                    [score](const TFameEntry& e) { return e.FameScore < score; });
    if (place == table.end())
        return;
    std::move_backward(place, table.end() - 1, table.end());
    *place = TFameEntry{score, {}};
    QString name = AskName(Parent);
    name.remove(FameSeparator);
    place->FameName = LeftChars(name, FameNameLength);
    Host.SetFameRecorded(true);
}

void ShowHallOfFame(TOptionsHost& Host, QWidget* Parent) {
    TScoreForm form(Parent);
    const TTimerPause pause(Host);
    form.List()->addItems(HallOfFameLines(Host.HallOfFame()));
    Dialogs().Exec(form);
}

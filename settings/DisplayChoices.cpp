#include "DisplayChoices.h"

#include "StringRes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <iterator>

TDisplayChoices::TDisplayChoices(int32_t StartedTableSize, QWidget* Parent)
    : QWidget(Parent), FStartedTableSize(StartedTableSize),
      FTableSizeLabel(new QLabel(QStringLiteral("Table size"), this)),
      FTableSize(new QComboBox(this)),
      FLargeIndices(new QCheckBox(QStringLiteral("Large indices"), this)),
      FFourColours(new QCheckBox(QStringLiteral("Four colours"), this)),
      FNextStartNote(new QLabel(StringRes::TableSizeAtNextStart(), this)) {
    setObjectName(QStringLiteral("DisplayChoices"));
    FTableSize->setObjectName(QStringLiteral("TableSize"));
    FLargeIndices->setObjectName(QStringLiteral("LargeIndices"));
    FFourColours->setObjectName(QStringLiteral("FourColours"));
    for (const int32_t size : TableSizes)
        FTableSize->addItem(size == 0 ? QStringLiteral("Automatic")
                                      : QStringLiteral("%1 %").arg(size));
    FTableSizeLabel->setGeometry(0, 0, 84, 25);
    FTableSize->setGeometry(84, 0, PanelWidth - 84, 25);
    FLargeIndices->setGeometry(0, 30, PanelWidth, 22);
    FFourColours->setGeometry(0, 54, PanelWidth, 22);
    QFont small = font();
    small.setPixelSize(12);
    FNextStartNote->setFont(small);
    FNextStartNote->setGeometry(0, 78, PanelWidth, 20);
    FNextStartNote->hide();
    connect(FTableSize, &QComboBox::currentIndexChanged, this, [this] { ShowNote(); });
    setFixedSize(PanelWidth, PanelHeight);
}

TDisplaySettings TDisplayChoices::Choices() const {
    TDisplaySettings choices;
    const int index = FTableSize->currentIndex();
    choices.TableSize = index >= 0 && index < int(std::size(TableSizes)) ? TableSizes[index] : 0;
    choices.LargeIndices = FLargeIndices->isChecked();
    choices.FourColours = FFourColours->isChecked();
    return choices;
}

void TDisplayChoices::SetChoices(const TDisplaySettings& Value) {
    int index = 0;
    for (int i = 0; i < int(std::size(TableSizes)); ++i)
        if (TableSizes[i] == Value.TableSize)
            index = i;
    FTableSize->setCurrentIndex(index);
    FLargeIndices->setChecked(Value.LargeIndices);
    FFourColours->setChecked(Value.FourColours);
    ShowNote();
}

void TDisplayChoices::ShowNote() {
    // Qt cannot rescale a window that is already on screen.
    FNextStartNote->setVisible(Choices().TableSize != FStartedTableSize);
}

#include "DisplayChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <iterator>

TDisplayChoices::TDisplayChoices(QWidget* Parent)
    : QWidget(Parent), FTableSizeLabel(new QLabel(tr("Table size"), this)),
      FTableSize(new QComboBox(this)), FLargeIndices(new QCheckBox(tr("Large indices"), this)),
      FFourColours(new QCheckBox(tr("Four colours"), this)) {
    setObjectName(QStringLiteral("DisplayChoices"));
    FTableSize->setObjectName(QStringLiteral("TableSize"));
    FLargeIndices->setObjectName(QStringLiteral("LargeIndices"));
    FFourColours->setObjectName(QStringLiteral("FourColours"));
    for (const int32_t size : TableSizes)
        FTableSize->addItem(size == 0 ? tr("Automatic") : QStringLiteral("%1 %").arg(size));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(FTableSizeLabel, 0, 0);
    grid->addWidget(FTableSize, 0, 1);
    grid->addWidget(FLargeIndices, 1, 0, 1, 2);
    grid->addWidget(FFourColours, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
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
}

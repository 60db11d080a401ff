#include "DisplayChoices.h"

#include "StringRes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <iterator>

TDisplayChoices::TDisplayChoices(int32_t StartedTableSize, QWidget* Parent)
    : QWidget(Parent), FStartedTableSize(StartedTableSize),
      FTableSizeLabel(new QLabel(tr("Table size"), this)), FTableSize(new QComboBox(this)),
      FLargeIndices(new QCheckBox(tr("Large indices"), this)),
      FFourColours(new QCheckBox(tr("Four colours"), this)),
      FNextStartNote(new QLabel(StringRes::TableSizeAtNextStart(), this)) {
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
    grid->addWidget(FNextStartNote, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    FNextStartNote->setWordWrap(true);
    // The note's place is kept, so that the dialog does not change size when it shows.
    QSizePolicy notePolicy = FNextStartNote->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    FNextStartNote->setSizePolicy(notePolicy);
    FNextStartNote->hide();
    connect(FTableSize, &QComboBox::currentIndexChanged, this, [this] { ShowNote(); });
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
    // The window takes a new size at once; the dialogs, scaled by the toolkit, at the next start.
    FNextStartNote->setVisible(Choices().TableSize != FStartedTableSize);
}

#pragma once
// The display part of the options dialog: the table size and the two choices for the card
// faces, laid out to the width they are given, in the dialog's font. None of them touches the
// game in progress.

#include "Settings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

class TDisplayChoices : public QWidget {
    Q_OBJECT
public:
    explicit TDisplayChoices(QWidget* Parent);

    TDisplaySettings Choices() const;
    void SetChoices(const TDisplaySettings& Value);

    QComboBox* TableSize() const { return FTableSize; }
    QCheckBox* LargeIndices() const { return FLargeIndices; }
    QCheckBox* FourColours() const { return FFourColours; }

private:
    // Children of this widget.
    QLabel* FTableSizeLabel;
    QComboBox* FTableSize;
    QCheckBox* FLargeIndices;
    QCheckBox* FFourColours;
};

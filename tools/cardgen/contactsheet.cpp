// A sheet with every member as the table shows it (cut corners and frame, the transparent
// colour replaced by the table's green) and its member number, for looking the set over.
#include "cardset.h"
#include "ksartset.h"
#include "raster.h"

#include <algorithm>

namespace cardgen {

namespace {

constexpr QRgb TableGreen = 0xFF007F00u;
constexpr int Columns = 10;
constexpr int Gap = 6;
constexpr int LabelHeight = 13;

// The frame and cut corners the card library puts on every loaded picture.
QImage AsOnTable(const QImage& Picture, QRgb TransparentColour) {
    QImage card = Picture.convertToFormat(QImage::Format_RGB32);
    KsDrawCardOutline(card, TransparentColour, OutputScale());
    ReplaceColour(card, TransparentColour, TableGreen);
    return card;
}

constexpr int CellWidth = CardWidth + Gap;
constexpr int CellHeight = CardHeight + LabelHeight + Gap;

} // namespace

QRect ContactSheetCard(int Member) {
    const int i = Member - 1;
    return {Gap + (i % Columns) * CellWidth, Gap + (i / Columns) * CellHeight, CardWidth,
            CardHeight};
}

QImage DrawContactSheet(const std::vector<QImage>& Members, const std::vector<QImage>& Pictures) {
    const int cells = static_cast<int>(Members.size());
    const int rows = (cells + Columns - 1) / Columns;
    // The table pictures follow in a row of their own.
    int picturesHeight = 0;
    for (const QImage& picture : Pictures)
        picturesHeight = std::max(picturesHeight, picture.height() + Gap * OutputScale());
    const int scale = OutputScale();
    QImage sheet(QSize(Gap + Columns * CellWidth, Gap + rows * CellHeight) * scale +
                     QSize(0, picturesHeight),
                 QImage::Format_RGB32);
    sheet.fill(TableGreen);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing, false);
    TGlyphStyle digits;
    digits.Height = 9;
    digits.Width = 6;
    digits.Stroke = 1.5;
    for (int i = 0; i < cells; ++i) {
        const int member = i + 1;
        const QPoint at = ContactSheetCard(member).topLeft();
        p.drawImage(at * scale,
                    AsOnTable(Members[static_cast<size_t>(i)], TransparentColourOf(member)));
        const QString label = QString::number(member);
        const qreal w = TextWidth(label, digits);
        p.save();
        p.scale(scale, scale);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(TextPath(label, digits)
                       .translated(at.x() + (CardWidth - w) / 2, at.y() + CardHeight + 3));
        p.restore();
    }
    int x = Gap * scale;
    for (const QImage& picture : Pictures) {
        p.drawImage(QPoint(x, (Gap + rows * CellHeight) * scale), picture);
        x += picture.width() + Gap * scale;
    }
    return sheet;
}

} // namespace cardgen

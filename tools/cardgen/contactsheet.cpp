// A sheet with every member as the table shows it (cut corners and frame, the transparent
// colour replaced by the table's green) and its member number, for looking the set over.
#include "cardset.h"
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
    {
        QPainter p(&card);
        p.setPen(QPen(Qt::black, 0));
        const QPoint outline[] = {{2, 0},  {68, 0}, {70, 2}, {70, 93}, {68, 95},
                                  {2, 95}, {0, 93}, {0, 2},  {2, 0}};
        p.drawPolyline(outline, 9);
    }
    for (const QPoint c : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(69, 0), QPoint(70, 0),
                           QPoint(70, 1), QPoint(0, 94), QPoint(0, 95), QPoint(1, 95),
                           QPoint(69, 95), QPoint(70, 95), QPoint(70, 94)})
        card.setPixel(c, TransparentColour);
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
        picturesHeight = std::max(picturesHeight, picture.height() + Gap);
    QImage sheet(Gap + Columns * CellWidth, Gap + rows * CellHeight + picturesHeight,
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
        p.drawImage(at, AsOnTable(Members[static_cast<size_t>(i)], TransparentColourOf(member)));
        const QString label = QString::number(member);
        const qreal w = TextWidth(label, digits);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(TextPath(label, digits)
                       .translated(at.x() + (CardWidth - w) / 2, at.y() + CardHeight + 3));
    }
    int x = Gap;
    for (const QImage& picture : Pictures) {
        p.drawImage(QPoint(x, Gap + rows * CellHeight), picture);
        x += picture.width() + Gap;
    }
    return sheet;
}

} // namespace cardgen

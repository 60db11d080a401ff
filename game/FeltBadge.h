#pragma once
// A small panel in the felt and cream of the title panel: a large line (a count of cards, or a
// short hint) over an optional small caption.

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

class TFeltBadge : public QWidget {
    Q_OBJECT
public:
    explicit TFeltBadge(QWidget* Parent);

    const QString& Text() const { return FText; }
    void SetText(const QString& Value);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // Pixel height of the large line.
    int TextSize() const { return FTextSize; }
    void SetTextSize(int Value);

    // Shared by every felt panel on the table: the ground with its edge, the large text's
    // cream and the caption's pale green.
    static void PaintGround(QPainter& P, const QRect& Area);
    static QColor Cream() { return {240, 236, 210}; }
    static QColor CaptionColor() { return {200, 215, 190}; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString FText;
    QString FCaption;
    int FTextSize = 16;
};

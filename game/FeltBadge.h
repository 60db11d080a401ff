#pragma once
// A small panel in the felt and cream of the title panel: a large line (a count of cards, or a
// short hint) over an optional small caption.

#include <QString>
#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString FText;
    QString FCaption;
    int FTextSize = 16;
};

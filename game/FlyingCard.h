#pragma once
// The computer's card in flight: a small opaque child of the form. Moving it, the toolkit moves
// the pixels it already shows and repaints only the strip of table it uncovers, so a frame
// costs a strip rather than a picture of the window under the card.

#include <QImage>
#include <QWidget>

class TFlyingCard : public QWidget {
public:
    // Hidden until shown; the form owns it.
    explicit TFlyingCard(QWidget* Form);

    // Every pixel opaque, at the form's device pixel ratio; the card takes its size.
    const QImage& Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage& Value);

    int X() const { return x(); }
    int Y() const { return y(); }
    bool Visible() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QImage FBitmap;
};

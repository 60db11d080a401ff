#pragma once
// What the game's dialogs share: their fonts, with free look-alikes where the Windows fonts
// are missing, the fixed dialog frame, and a radio group in the manner of the window
// descriptions (a captioned box whose items share its height evenly).

#include <QFont>
#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QDialog;
class QListWidget;
class QRadioButton;

// Font heights are pixel heights, as in the window descriptions.
QFont ComicFont(int PixelHeight, bool Bold = false);
// Fixed-pitch, so the columns of the hall-of-fame list line up.
QFont CourierFont(int PixelHeight);
// The dialogs' default font (MS Sans Serif, 8 points).
QFont DialogFont();

// A fixed-size dialog with client area Width x Height; with TitleButtons false the title bar
// has no buttons at all.
void SetUpFixedDialog(QDialog& Dialog, const QString& Caption, int Width, int Height,
                      bool TitleButtons);
// Every item of List is Height pixels high, whatever its font asks for.
void SetFixedItemHeight(QListWidget& List, int Height);
// Places a window in the middle of the game window, whole on its screen.
void CenterOnGameWindow(QWidget& Window);

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& Caption, const QStringList& Items, QWidget* Parent);

    // The selected item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int Count() const { return int(FButtons.size()); }
    QRadioButton* Button(int Index) const;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void ArrangeButtons();

    QButtonGroup* FGroup;
    std::vector<QRadioButton*> FButtons; // children of this box
};

#include "DialogSupport.h"

#include "DialogScale.h"
#include "ksdialogs.h"

#include <QButtonGroup>
#include <QDialog>
#include <QEvent>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

namespace {

QFont FontOf(const QStringList& Families, int PixelHeight, QFont::StyleHint Hint) {
    QFont font;
    font.setFamilies(Families);
    font.setStyleHint(Hint);
    font.setPixelSize(PixelHeight);
    return font;
}

class TFixedHeightDelegate final : public QStyledItemDelegate {
public:
    TFixedHeightDelegate(int Height, QObject* Parent)
        : QStyledItemDelegate(Parent), FHeight(Height) {}

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        // As high as the list's type, in a dialog shown larger.
        return {QStyledItemDelegate::sizeHint(Option, Index).width(),
                int(std::lround(FHeight * WindowScale(Option.widget)))};
    }

private:
    int FHeight;
};

} // namespace

void SetFixedItemHeight(QListWidget& List, int Height) {
    List.setUniformItemSizes(true);
    List.setItemDelegate(new TFixedHeightDelegate(Height, &List));
}

QFont ComicFont(int PixelHeight, bool Bold) {
    QFont font = FontOf({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
                        PixelHeight, QFont::Fantasy);
    font.setBold(Bold);
    return font;
}

QFont CourierFont(int PixelHeight) {
    QFont font = FontOf({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                         QStringLiteral("DejaVu Sans Mono")},
                        PixelHeight, QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QFont DialogFont() {
    return FontOf({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Liberation Sans")},
                  11, QFont::SansSerif);
}

void SetUpFixedDialog(QDialog& Dialog, const QString& Caption, int Width, int Height,
                      bool TitleButtons) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (TitleButtons)
        flags |= Qt::WindowCloseButtonHint;
    Dialog.setWindowFlags(flags);
    Dialog.setWindowTitle(Caption);
    Dialog.setFont(DialogFont());
    Dialog.setFixedSize(Width, Height);
    Dialog.setSizeGripEnabled(false);
}

void CenterOnGameWindow(QWidget& Window) {
    KsCenterOnMainWindow(Window);
}

TRadioGroup::TRadioGroup(const QString& Caption, const QStringList& Items, QWidget* Parent)
    : QGroupBox(Caption, Parent), FGroup(new QButtonGroup(this)) {
    for (const QString& item : Items) {
        auto* button = new QRadioButton(item, this);
        FGroup->addButton(button, int(FButtons.size()));
        FButtons.push_back(button);
    }
    ArrangeButtons();
}

int TRadioGroup::ItemIndex() const {
    return FGroup->checkedId();
}

void TRadioGroup::SetItemIndex(int Value) {
    if (Value >= 0 && Value < Count()) {
        FButtons[size_t(Value)]->setChecked(true);
    } else if (QAbstractButton* checked = FGroup->checkedButton()) {
        FGroup->setExclusive(false);
        checked->setChecked(false);
        FGroup->setExclusive(true);
    }
}

QRadioButton* TRadioGroup::Button(int Index) const {
    return Index >= 0 && Index < Count() ? FButtons[size_t(Index)] : nullptr;
}

void TRadioGroup::resizeEvent(QResizeEvent* Event) {
    QGroupBox::resizeEvent(Event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* Event) {
    QGroupBox::changeEvent(Event);
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::StyleChange)
        ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty())
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect contents =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int left = contents.left() + 6;
    const int top = contents.top();
    const int rowHeight = contents.height() / Count();
    // As wide as its text, so that a click beside the text does not look as if it took.
    for (int i = 0; i < Count(); ++i) {
        QRadioButton& button = *FButtons[size_t(i)];
        const int width = std::min(button.sizeHint().width(), contents.right() - left);
        button.setGeometry(left, top + i * rowHeight, width, rowHeight);
    }
}

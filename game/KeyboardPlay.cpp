#include "KeyboardPlay.h"

#include "KeySlot.h"
#include "Main.h"
#include "ksabort.h"
#include "kscardgroup.h"
#include "kssinglecard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int MarkMargin = 4; // clear of the card's bevel, inside the gap to the next card
constexpr int MarkWidth = 2;

bool IsSpaceOrEnter(const QEvent& Event) {
    if (Event.type() != QEvent::KeyPress && Event.type() != QEvent::KeyRelease &&
        Event.type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent&>(Event).key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Select;
}

} // namespace

TFocusMark::TFocusMark(QWidget* Parent) : QWidget(Parent) {
    setObjectName(QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TFocusMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPen pen(palette().color(QPalette::Highlight), MarkWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(MarkWidth / 2.0, MarkWidth / 2.0, -MarkWidth / 2.0,
                                       -MarkWidth / 2.0));
}

TKeyboardPlay::TKeyboardPlay(TMainForm& Form)
    : QObject(&Form), FForm(Form), FMark(new TFocusMark(&Form)) {
    setObjectName(QStringLiteral("KeyboardPlay"));
    FMark->hide();
    // The window itself takes the focus back from the buttons, so that the cards are a stop
    // in the Tab order; it holds the focus from the start. The table's own buttons come first,
    // as they always did, and the later Game menu after them.
    Form.setFocusPolicy(Qt::TabFocus);
    QWidget* previous = &Form;
    for (QPushButton* b :
         {Form.DealBtn, Form.OptionBtn, Form.HelpBtn, Form.ScoreBtn, Form.GameBtn}) {
        b->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(previous, b);
        previous = b;
    }
    Form.setFocus(Qt::OtherFocusReason);
    Form.installEventFilter(this);
    qApp->installEventFilter(this);
    Form.Events().Subscribe([this](const TGameEvent& Event) {
        if (Event.Kind == TGameEventKind::GameDecided ||
            Event.Kind == TGameEventKind::AfterDecision) {
            FQuestionComing = Event.Kind == TGameEventKind::GameDecided;
            FQuestion = nullptr;
        }
    });
}

TKeyboardPlay::~TKeyboardPlay() {
    qApp->removeEventFilter(this);
}

bool TKeyboardPlay::eventFilter(QObject* Watched, QEvent* Event) {
    // A player laying cards with Space or Enter must not deal by the same keys: not on the
    // Deal button, and not on the question that follows a game's end.
    // The question is the first message box after the decision.
    if (FQuestionComing && Event->type() == QEvent::Show && qobject_cast<QMessageBox*>(Watched)) {
        FQuestion = static_cast<QWidget*>(Watched);
        FQuestionComing = false;
    }
    const bool onQuestion = FQuestion && Watched->isWidgetType() &&
                            static_cast<QWidget*>(Watched)->window() == FQuestion;
    if (IsSpaceOrEnter(*Event) && (Watched == FForm.DealBtn || onQuestion)) {
        if (Event->type() == QEvent::ShortcutOverride)
            Event->accept();
        return Event->type() != QEvent::ShortcutOverride;
    }
    if (Watched != &FForm)
        return false;
    switch (Event->type()) {
    case QEvent::KeyPress:
        return FormKey(static_cast<QKeyEvent&>(*Event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        ShowMark();
        return false;
    default:
        return false;
    }
}

bool TKeyboardPlay::FormKey(QKeyEvent& Key) {
    // A slot's own key (Shift with the keypad's 4 comes as Left) is the window's.
    if (Key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ||
        KeySlot(Key) >= 0)
        return false;
    switch (Key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        MoveFocus(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        MoveFocus(1);
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FSlot >= 0 && !Key.isAutoRepeat()) {
            const bool other = Key.modifiers() & Qt::ShiftModifier;
            const int slot = FSlot;
            KsHandleEvent([&] { FForm.PlaySlot(slot, other); });
        }
        return true;
    default:
        return false;
    }
}

void TKeyboardPlay::MoveFocus(int Step) {
    const int count = int(FForm.Play1Card.size());
    FSlot = FSlot < 0 ? 0 : std::clamp(FSlot + Step, 0, count - 1);
    ShowMark();
}

void TKeyboardPlay::ShowMark() {
    if (FSlot < 0)
        return;
    const QRect card = FForm.Play1Card[size_t(FSlot)]->geometry();
    FMark->setGeometry(card.adjusted(-MarkMargin, -MarkMargin, MarkMargin, MarkMargin));
    FMark->raise();
    // Only while the cards hold the keyboard: a focused button shows its own focus.
    FMark->setVisible(FForm.hasFocus());
}

void SetUpKeyboardPlay(TMainForm& Form) {
    new TKeyboardPlay(Form); // owned by the window
}

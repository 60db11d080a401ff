#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <algorithm>

namespace {

QPointer<QWidget> gMainWindow;

// Centres its window on the game window when it is shown: by then the window has its size,
// and it is not on screen yet.
class TKsCenterOnShow final : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Show && Watched->isWidgetType())
            KsCenterOnMainWindow(*static_cast<QWidget*>(Watched));
        return false;
    }
};

// A message box fits its size to its text as it shows; centred once that is done.
class TKsMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* Event) override {
        QMessageBox::showEvent(Event);
        KsCenterOnMainWindow(*this);
    }
};

// The window a message box belongs to: the dialog on top, else the game window.
QWidget* MessageParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return gMainWindow ? gMainWindow.data() : QApplication::activeWindow();
}

class TKsQtDialogs final : public TKsDialogs {
public:
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        TKsMessageBox box(Icon(Msg.Type),
                          Msg.Caption.isEmpty() ? KsDefaultCaption(Msg.Type) : Msg.Caption,
                          Msg.Text, QMessageBox::NoButton, MessageParent());
        // Messages carry names from the other player, the settings file and the player: shown
        // as they are, never read as markup (which can load files and pictures).
        box.setTextFormat(Qt::PlainText);
        for (TKsMsgDlgBtn b : Msg.Buttons)
            box.addButton(Standard(b));
        // Scripts that drive the real program tell a question from a notice by this (the X
        // window role), as the captions are often the same.
        const bool question =
            std::find(Msg.Buttons.begin(), Msg.Buttons.end(), mbYes) != Msg.Buttons.end();
        box.setWindowRole(question ? QStringLiteral("question") : QStringLiteral("notice"));
        FOpen.emplace_back(&box);
        const auto opened = qScopeGuard([this] { FOpen.pop_back(); });
        box.exec();
        if (box.property(ClosedProperty).toBool())
            return mbCancel;
        const auto pressed = box.standardButton(box.clickedButton());
        for (TKsMsgDlgBtn b : Msg.Buttons)
            if (Standard(b) == pressed)
                return b;
        return mbCancel;
    }

    void CloseMessages() override {
        for (const QPointer<QMessageBox>& box : FOpen)
            if (box) {
                box->setProperty(ClosedProperty, true);
                box->done(QDialog::Rejected);
            }
    }

    int Exec(QDialog& Dialog) override {
        TKsCenterOnShow center;
        Dialog.installEventFilter(&center);
        const int result = Dialog.exec();
        Dialog.removeEventFilter(&center);
        return result;
    }

private:
    static constexpr const char* ClosedProperty = "ksClosedUnanswered";
    // Innermost last.
    std::vector<QPointer<QMessageBox>> FOpen;

    static QMessageBox::Icon Icon(TKsMsgDlgType Type) {
        switch (Type) {
        case mtWarning:
            return QMessageBox::Warning;
        case mtError:
            return QMessageBox::Critical;
        case mtInformation:
            return QMessageBox::Information;
        case mtConfirmation:
            return QMessageBox::Question;
        case mtCustom:
            break;
        }
        return QMessageBox::NoIcon;
    }

    static QMessageBox::StandardButton Standard(TKsMsgDlgBtn Button) {
        switch (Button) {
        case mbYes:
            return QMessageBox::Yes;
        case mbNo:
            return QMessageBox::No;
        case mbOK:
            return QMessageBox::Ok;
        case mbCancel:
            break;
        }
        return QMessageBox::Cancel;
    }
};

TKsQtDialogs gQtDialogs;
TKsDialogs* gDialogs = &gQtDialogs;

} // namespace

QString KsDefaultCaption(TKsMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return QCoreApplication::translate("KsDialogs", "Warning");
    case mtError:
        return QCoreApplication::translate("KsDialogs", "Error");
    case mtInformation:
        return QCoreApplication::translate("KsDialogs", "Information");
    case mtConfirmation:
        return QCoreApplication::translate("KsDialogs", "Confirm");
    case mtCustom:
        break;
    }
    return QApplication::applicationName();
}

void KsSetMainWindow(QWidget* Window) {
    gMainWindow = Window;
}

QWidget* KsMainWindow() {
    return gMainWindow.data();
}

void KsCenterOnMainWindow(QWidget& Window) {
    const QWidget* main = gMainWindow && gMainWindow != &Window ? gMainWindow.data() : nullptr;
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = Window.frameGeometry();
    frame.moveCenter(main ? main->frameGeometry().center() : area.center());
    // Whole on the game window's screen, the title bar first.
    frame.moveLeft(std::max(std::min(frame.left(), area.right() + 1 - frame.width()), area.left()));
    frame.moveTop(std::max(std::min(frame.top(), area.bottom() + 1 - frame.height()), area.top()));
    Window.move(frame.topLeft());
}

TKsDialogs& Dialogs() {
    return *gDialogs;
}

TKsDialogsOverride::TKsDialogsOverride(TKsDialogs& Replacement) : FPrevious(gDialogs) {
    gDialogs = &Replacement;
}

TKsDialogsOverride::~TKsDialogsOverride() {
    gDialogs = FPrevious;
}

void KsCloseMessages() {
    Dialogs().CloseMessages();
}

TKsMsgDlgBtn KsMessageDlg(const QString& Text, TKsMsgDlgType Type,
                          std::vector<TKsMsgDlgBtn> Buttons, const QString& Caption) {
    return Dialogs().Message(TKsMessage{Text, Caption, Type, std::move(Buttons)});
}

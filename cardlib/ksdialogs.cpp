#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

class TKsQtDialogs final : public TKsDialogs {
public:
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        QMessageBox box(Icon(Msg.Type),
                        Msg.Caption.isEmpty() ? KsDefaultCaption(Msg.Type) : Msg.Caption, Msg.Text,
                        QMessageBox::NoButton, QApplication::activeWindow());
        for (TKsMsgDlgBtn b : Msg.Buttons)
            box.addButton(Standard(b));
        box.exec();
        const auto pressed = box.standardButton(box.clickedButton());
        for (TKsMsgDlgBtn b : Msg.Buttons)
            if (Standard(b) == pressed)
                return b;
        return mbCancel;
    }

    int Exec(QDialog& Dialog) override { return Dialog.exec(); }

private:
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
        return QStringLiteral("Warning");
    case mtError:
        return QStringLiteral("Error");
    case mtInformation:
        return QStringLiteral("Information");
    case mtConfirmation:
        return QStringLiteral("Confirm");
    case mtCustom:
        break;
    }
    return QApplication::applicationName();
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

TKsMsgDlgBtn KsMessageDlg(const QString& Text, TKsMsgDlgType Type,
                          std::vector<TKsMsgDlgBtn> Buttons, const QString& Caption) {
    return Dialogs().Message(TKsMessage{Text, Caption, Type, std::move(Buttons)});
}

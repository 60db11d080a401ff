#include "scripted_dialogs.h"

#include <QDialog>

TKsMsgDlgBtn TScriptedDialogs::Message(const TKsMessage& Msg) {
    Shown.push_back(Msg);
    if (OnMessage)
        OnMessage(Msg);
    if (!Answers.empty()) {
        const TKsMsgDlgBtn answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    return Msg.Buttons.empty() ? mbOK : Msg.Buttons.front();
}

int TScriptedDialogs::Exec(QDialog& Dialog) {
    ++DialogsRun;
    return OnExec ? OnExec(Dialog) : int(QDialog::Rejected);
}

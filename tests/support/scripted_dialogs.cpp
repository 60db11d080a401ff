#include "scripted_dialogs.h"

#include <QDialog>
#include <algorithm>

TKsMsgDlgBtn TScriptedDialogs::Message(const TKsMessage& Msg) {
    Shown.push_back(Msg);
    const int depth = ++FDepth;
    if (OnMessage)
        OnMessage(Msg);
    --FDepth;
    const bool closed = FClosedDepth >= depth;
    FClosedDepth = std::min(FClosedDepth, FDepth);
    if (closed)
        return mbCancel;
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

#pragma once
// A stand-in for the program's message boxes and dialogs: records what was shown and answers
// from a script. Installed for the lifetime of the object.

#include "ksdialogs.h"

#include <deque>
#include <functional>
#include <vector>

class TScriptedDialogs : public TKsDialogs {
public:
    TScriptedDialogs() : FOverride(*this) {}

    // Answers for the coming message boxes, in order; with none left, the first button.
    std::deque<TKsMsgDlgBtn> Answers;
    // Runs as each message box is shown, before it is answered.
    std::function<void(const TKsMessage&)> OnMessage;
    // Runs in place of a modal dialog's event loop; with none set, the dialog is rejected.
    std::function<int(QDialog&)> OnExec;

    std::vector<TKsMessage> Shown;
    int DialogsRun = 0;

    TKsMsgDlgBtn Message(const TKsMessage& Msg) override;
    int Exec(QDialog& Dialog) override;
    // The boxes whose OnMessage runs now return mbCancel, as boxes closed unanswered.
    void CloseMessages() override { FClosedDepth = FDepth; }

private:
    TKsDialogsOverride FOverride;
    int FDepth = 0;       // message boxes open, nested
    int FClosedDepth = 0; // of those, the outermost ones closed
};

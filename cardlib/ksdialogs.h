#pragma once
// Every modal message box and dialog of the program goes through this interface, so tests can
// answer them. The default shows a QMessageBox or runs the dialog.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

enum TKsMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TKsMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel };

struct TKsMessage {
    QString Text;
    QString Caption; // empty: the caption that belongs to Type
    TKsMsgDlgType Type = mtInformation;
    std::vector<TKsMsgDlgBtn> Buttons{mbOK};
};

class TKsDialogs {
public:
    virtual ~TKsDialogs() = default;
    // Shows a modal message box; returns the button pressed (mbCancel when it was closed).
    virtual TKsMsgDlgBtn Message(const TKsMessage& Msg) = 0;
    // Runs a modal dialog; returns its result code (QDialog::Accepted, Rejected or a custom one).
    virtual int Exec(QDialog& Dialog) = 0;
    // Closes the message boxes open now, each as if closed without an answer (mbCancel).
    virtual void CloseMessages() {}
};

// The caption a message box of Type gets when none is given.
QString KsDefaultCaption(TKsMsgDlgType Type);

TKsDialogs& Dialogs();

// Installs Replacement as the program's dialogs for this object's lifetime (tests, tools).
class TKsDialogsOverride {
public:
    explicit TKsDialogsOverride(TKsDialogs& Replacement);
    ~TKsDialogsOverride();
    TKsDialogsOverride(const TKsDialogsOverride&) = delete;
    TKsDialogsOverride& operator=(const TKsDialogsOverride&) = delete;

private:
    TKsDialogs* FPrevious;
};

// The game window, over which every message box and dialog is centred (null: none).
void KsSetMainWindow(QWidget* Window);
QWidget* KsMainWindow();
// Centres Window on the game window (without one, on the primary screen), kept on that
// window's screen.
void KsCenterOnMainWindow(QWidget& Window);

// Closes every message box open now (a question that is no longer the player's to answer).
void KsCloseMessages();

// Shorthand for the common case.
TKsMsgDlgBtn KsMessageDlg(const QString& Text, TKsMsgDlgType Type,
                          std::vector<TKsMsgDlgBtn> Buttons = {mbOK}, const QString& Caption = {});

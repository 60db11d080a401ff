#pragma once
// The name dialog of the hall of fame.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget* Parent = nullptr);

    // Closes the dialog when a name has been entered; otherwise asks for one and stays open.
    void Button1Click();

    QLabel* Label1() const { return FLabel1; }
    QLineEdit* Edit() const { return FEdit; }
    QPushButton* Button1() const { return FButton1; }

private:
    // Children of the form.
    QLabel* FLabel1;
    QLineEdit* FEdit;
    QPushButton* FButton1;
};

// At most this many characters may be typed as a name.
constexpr int MaxNameLength = 17;

// Shows the name dialog with Offered in the name field, selected, so that Enter keeps it and
// typing replaces it; returns the field's text however the dialog was closed.
QString AskName(QWidget* Parent = nullptr, const QString& Offered = {});

#include "GetName.h"

#include "DialogSupport.h"
#include "HallOfFame.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

// The separator of the settings file would end the name there when it is read back, so it is
// dropped from whatever is typed or pasted.
class TNameValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& Input, int& Pos) const override {
        Pos -= int(Input.left(Pos).count(FameSeparator));
        Input.remove(FameSeparator);
        return Acceptable;
    }
};

} // namespace

TNameForm::TNameForm(QWidget* Parent)
    : QDialog(Parent), FLabel1(new QLabel(tr("Enter your name for the Hall of Fame"), this)),
      FEdit(new QLineEdit(this)), FButton1(new QPushButton(tr("&Ok"), this)) {
    setObjectName(QStringLiteral("NameForm"));
    SetUpFixedDialog(*this, tr("Name"), 254, 123, true);

    FLabel1->setObjectName(QStringLiteral("Label1"));
    FLabel1->setFont(ComicFont(13, true));
    FLabel1->move(4, 16);
    FLabel1->adjustSize();

    FEdit->setObjectName(QStringLiteral("Edit"));
    FEdit->setGeometry(66, 48, 121, 21);
    FEdit->setMaxLength(MaxNameLength);
    FEdit->setValidator(new TNameValidator(FEdit));

    FButton1->setObjectName(QStringLiteral("Button1"));
    FButton1->setGeometry(89, 88, 75, 25);
    FButton1->setDefault(true);
    connect(FButton1, &QPushButton::clicked, this, [this] { Button1Click(); });

    setTabOrder(FEdit, FButton1);
    FEdit->setFocus();
    CenterOnGameWindow(*this);
}

void TNameForm::Button1Click() {
    if (FEdit->text().isEmpty()) {
        KsMessageDlg(StringRes::EnterYourName(), mtError, {mbOK});
        return;
    }
    accept();
}

QString AskName(QWidget* Parent, const QString& Offered) {
    TNameForm form(Parent);
    form.Edit()->setText(Offered);
    form.Edit()->selectAll();
    Dialogs().Exec(form);
    return form.Edit()->text();
}

#include "HelpWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QWidget>

namespace {

class THelpWindow : public QWidget {
public:
    THelpWindow(const QString& FileName, QWidget* Parent) : QWidget(Parent, Qt::Window) {
        setObjectName(QStringLiteral("HelpWindow"));
        setWindowTitle(QCoreApplication::translate("HelpWindow", "Tolvi Help"));
        setAttribute(Qt::WA_DeleteOnClose);
        resize(640, 480);
        FContents = new QListWidget(this);
        FContents->setObjectName(QStringLiteral("Contents"));
        FContents->setMaximumWidth(180);
        FText = new QTextBrowser(this);
        FText->setObjectName(QStringLiteral("Text"));
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(FContents);
        layout->addWidget(FText, 1);
        Load(FileName);
        connect(FContents, &QListWidget::currentRowChanged, this, [this](int Row) {
            if (Row >= 0 && Row < FAnchors.size())
                FText->scrollToAnchor(FAnchors[Row]);
        });
    }

protected:
    // Closed by the keyboard as the dialogs are.
    void keyPressEvent(QKeyEvent* Event) override {
        if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier)
            close();
        else
            QWidget::keyPressEvent(Event);
    }

private:
    void Load(const QString& FileName) {
        QFile file(FileName);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QString html = QString::fromUtf8(file.readAll());
        FText->setHtml(html);
        // The contents list: every second-level heading that carries an anchor.
        static const QRegularExpression heading(
            QStringLiteral("<h2[^>]*id=\"([^\"]+)\"[^>]*>(.*?)</h2>"),
            QRegularExpression::CaseInsensitiveOption |
                QRegularExpression::DotMatchesEverythingOption);
        for (auto it = heading.globalMatch(html); it.hasNext();) {
            const auto match = it.next();
            FAnchors.push_back(match.captured(1));
            QString title = match.captured(2);
            title.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            FContents->addItem(title.trimmed());
        }
    }

    QListWidget* FContents;
    QTextBrowser* FText;
    QStringList FAnchors;
};

QPointer<THelpWindow> gHelp;

} // namespace

void OpenHelp(const QString& FileName, QWidget* Parent) {
    if (!gHelp)
        gHelp = new THelpWindow(FileName, Parent); // deletes itself when closed
    gHelp->show();
    gHelp->raise();
    gHelp->activateWindow();
}

QWidget* ShownHelpWindow() {
    return gHelp.data();
}

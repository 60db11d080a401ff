#include "HelpWindow.h"

#include "DialogScale.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QWidget>

namespace {

class THelpWindow : public QWidget {
public:
    THelpWindow(const QString& FileName, QWidget* Parent) : QWidget(Parent, Qt::Window) {
        setObjectName(QStringLiteral("HelpWindow"));
        setWindowTitle(QCoreApplication::translate("HelpWindow", "Tolvi Help"));
        setAttribute(Qt::WA_DeleteOnClose);
        FContents = new QListWidget(this);
        FContents->setObjectName(QStringLiteral("Contents"));
        FText = new QTextBrowser(this);
        FText->setObjectName(QStringLiteral("Text"));
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(FContents);
        layout->addWidget(FText, 1);
        Load(FileName);
        FitToText();
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
    // The contents as wide as their longest title in this language, the text a comfortable
    // line wide and many lines high, as far as the screen allows.
    void FitToText() {
        constexpr int TextColumns = 72;
        constexpr int TextLines = 36;
        const int scrollBar = FContents->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int frame = 2 * FContents->frameWidth();
        FContents->setFixedWidth(FContents->sizeHintForColumn(0) + frame + scrollBar);
        const QFontMetrics metrics(FText->font());
        QSize wanted(FContents->width() + layout()->spacing() +
                         metrics.averageCharWidth() * TextColumns + 2 * FText->frameWidth() +
                         scrollBar,
                     metrics.lineSpacing() * TextLines);
        const QMargins margins = layout()->contentsMargins();
        wanted += QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
        if (const QScreen* shown = screen())
            wanted =
                wanted.boundedTo(shown->availableGeometry().size() - QSize(0, TitleBarAllowance));
        resize(wanted);
    }

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

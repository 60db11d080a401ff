// One copy of the program for the concurrent-close stress: the real main window (offscreen) on
// the Config.INI of a given folder. It counts some games in the statistics and holds a win for
// the hall of fame, says "ready", and on a line from its standard input closes the window as a
// player would, which offers the win and merges both into the file.
//   tolvi_close_copy <program folder> <name> <deck count> <level> <score> <wins> <losses>
// Score is the win offered at close; each counted win scores it too.

#include "ConfigFile.h"
#include "GameRecorder.h"
#include "Main.h"
#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <cstdio>
#include <iostream>
#include <string>

// The window's result as the end of a game leaves it, without playing the game.
class TMainFormProbe {
public:
    static void SetWin(TMainForm& F, int32_t Score) {
        TSpeedTable table = F.Game().Table();
        table.Rows[0].Won = true;
        table.Rows[1].Won = false;
        F.Game().Arrange(table, Score);
    }
    static void SetScore(TMainForm& F, int32_t Score) { F.Game().Arrange(F.Game().Table(), Score); }
};

namespace {

// Every message box takes its first button; the name dialog gets the copy's name.
class TAnswers : public TKsDialogs {
public:
    explicit TAnswers(QString Name) : FName(std::move(Name)) {}
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        return Msg.Buttons.empty() ? mbOK : Msg.Buttons.front();
    }
    int Exec(QDialog& Dialog) override {
        if (auto* edit = Dialog.findChild<QLineEdit*>(QStringLiteral("Edit")))
            edit->setText(FName);
        return QDialog::Accepted;
    }

private:
    QString FName;
    TKsDialogsOverride FOverride{*this};
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 8) {
        std::fprintf(stderr, "usage: tolvi_close_copy <folder> <name> <decks> <level> <score> "
                             "<wins> <losses>\n");
        return 2;
    }
    const QString folder = args[1];
    const int32_t decks = args[3].toInt(), level = args[4].toInt(), score = args[5].toInt();
    const int wins = args[6].toInt(), losses = args[7].toInt();
    const TConfigDirOverride dirs(folder, QDir(folder).filePath(QStringLiteral("user")));
    TAnswers answers(args[2]);

    TMainForm form;
    form.show();
    form.SetDeckCount(decks);
    form.SetLevel(level);
    TGameRecorder recorder(form.Records(), [&form] {
        return TRecordedGame{form.Combination(), form.GameScore()};
    });
    for (int game = 0; game < wins + losses; ++game) {
        TMainFormProbe::SetScore(form, 0);
        recorder.Started();
        TMainFormProbe::SetScore(form, score);
        recorder.Decided(game < wins, 60000);
    }
    TMainFormProbe::SetWin(form, score);

    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);
    form.close();
    std::cout << "closed" << std::endl;
    return 0;
}

#include "StringRes.h"

#include <array>

namespace StringRes {

namespace {

constexpr std::array<const char*, 5> Levels{"Unbeatable", "Very Hard", "Hard", "Not Bad", "Easy"};

} // namespace

QString FameTitle(int32_t DeckCount, int32_t Scoring) {
    if (DeckCount < 1 || DeckCount > 2 || Scoring < 0 || Scoring > 1)
        return {};
    return QStringLiteral("%1 Deck - %2 Scoring")
        .arg(DeckCount == 1 ? QStringLiteral("Single") : QStringLiteral("Double"),
             Scoring == 0 ? QStringLiteral("Normal") : QStringLiteral("Las Vegas"));
}

QString LevelName(int32_t Level) {
    if (Level < 0 || Level >= int32_t(Levels.size()))
        return {};
    return QString::fromLatin1(Levels[size_t(Level)]);
}

QString LevelSuffix(int32_t Level) {
    const QString name = LevelName(Level);
    return name.isEmpty() ? QString() : QStringLiteral(" - ") + name;
}

QString RankHeading() {
    return QStringLiteral("Rank  Score     Name");
}

QString EnterYourName() {
    return QStringLiteral("Please enter your name");
}

QString ReadyToStart() {
    return QStringLiteral("Click Ok when Ready to Start!");
}

QString CreatingSecondDeck() {
    return QStringLiteral("Creating a Second Deck, Please be Patient");
}

QString ChangesNeedNewGame() {
    return QStringLiteral("Changes require starting a new game, continue?");
}

QString TableSizeAtNextStart() {
    return QStringLiteral("Dialogs take this size at the next start.");
}

QString GameWonFormat() {
    return QStringLiteral("%s Won, Do you want to play again?");
}

QString GameWon(const QString& Winner) {
    // Substituted by position, so a "%" in the winner's name is taken literally.
    QString text = GameWonFormat();
    const qsizetype at = text.indexOf(QStringLiteral("%s"));
    return at < 0 ? text : text.replace(at, 2, Winner);
}

QString WinnerHuman() {
    return QStringLiteral("You");
}

QString WinnerComputer() {
    return QStringLiteral("The Computer");
}

QString SettingsNotSaved(const QString& Path, const QString& Reason) {
    return QStringLiteral("The settings and the hall of fame could not be saved to\n%1\n\n%2\n\n"
                          "Any earlier copy of the file is unchanged.")
        .arg(Path, Reason);
}

QString ResetStatistics() {
    return QStringLiteral("Reset statistics");
}

QString ResetStatisticsQuestion() {
    return QStringLiteral("Clear the statistics of every level and deck? This cannot be undone.");
}

QString StatisticsToggle() {
    return QStringLiteral("S&tatistics");
}

QString CardsToGoCaption() {
    return QStringLiteral("to go");
}

QString DealHint() {
    return QStringLiteral("Press Deal to start a game");
}

QString ShowPlaysOption() {
    return QStringLiteral("Show plays");
}

QString FumbleRuleOption() {
    return QStringLiteral("Fumble rule: a refused play locks your cards for half a second");
}

} // namespace StringRes

#include "StringRes.h"

#include <QCoreApplication>
#include <array>

namespace StringRes {

namespace {

constexpr std::array<const char*, 5> Levels{
    QT_TRANSLATE_NOOP("StringRes", "Unbeatable"), QT_TRANSLATE_NOOP("StringRes", "Very Hard"),
    QT_TRANSLATE_NOOP("StringRes", "Hard"), QT_TRANSLATE_NOOP("StringRes", "Not Bad"),
    QT_TRANSLATE_NOOP("StringRes", "Easy")};

QString Tr(const char* Text) {
    return QCoreApplication::translate("StringRes", Text);
}

} // namespace

QString FameTitle(int32_t DeckCount, int32_t Scoring) {
    if (DeckCount < 1 || DeckCount > 2 || Scoring < 0 || Scoring > 1)
        return {};
    return QStringLiteral("%1 Deck - %2 Scoring")
        .arg(DeckCount == 1 ? QStringLiteral("Single") : QStringLiteral("Double"),
             Scoring == 0 ? QStringLiteral("Normal") : QStringLiteral("Las Vegas"));
}

QString ShownFameTitle(int32_t DeckCount, int32_t Scoring) {
    if (DeckCount < 1 || DeckCount > 2 || Scoring < 0 || Scoring > 1)
        return {};
    static constexpr std::array<const char*, 4> titles{
        QT_TRANSLATE_NOOP("StringRes", "Single Deck - Normal Scoring"),
        QT_TRANSLATE_NOOP("StringRes", "Single Deck - Las Vegas Scoring"),
        QT_TRANSLATE_NOOP("StringRes", "Double Deck - Normal Scoring"),
        QT_TRANSLATE_NOOP("StringRes", "Double Deck - Las Vegas Scoring")};
    return Tr(titles[size_t((DeckCount - 1) * 2 + Scoring)]);
}

QString LevelName(int32_t Level) {
    if (Level < 0 || Level >= int32_t(Levels.size()))
        return {};
    return Tr(Levels[size_t(Level)]);
}

QString LevelFileName(int32_t Level) {
    if (Level < 0 || Level >= int32_t(Levels.size()))
        return {};
    return QString::fromLatin1(Levels[size_t(Level)]);
}

QString RankHeading() {
    return QCoreApplication::translate("StringRes", "Rank  Score     Name");
}

QString EnterYourName() {
    return QCoreApplication::translate("StringRes", "Please enter your name");
}

QString ReadyToStart() {
    return QCoreApplication::translate("StringRes", "Click Ok when Ready to Start!");
}

QString CreatingSecondDeck() {
    return QCoreApplication::translate("StringRes", "Creating a Second Deck, Please be Patient");
}

QString ChangesNeedNewGame() {
    return QCoreApplication::translate("StringRes",
                                       "Changes require starting a new game, continue?");
}

QString GameWonFormat() {
    return QCoreApplication::translate("StringRes", "%s Won, Do you want to play again?");
}

namespace {

// Substituted by position, so a "%" in the winner's name is taken literally.
QString WithWinner(QString Text, const QString& Winner) {
    const qsizetype at = Text.indexOf(QStringLiteral("%s"));
    return at < 0 ? Text : Text.replace(at, 2, Winner);
}

} // namespace

QString GameWon(const QString& Winner) {
    return WithWinner(GameWonFormat(), Winner);
}

QString GameWonBy(const QString& Name) {
    // Its own message: a translation of the other one carries the verb in "You" and "The
    // Computer", so a bare name needs a sentence with the verb.
    return WithWinner(QCoreApplication::translate("StringRes", "%s Won, Do you want to play again?",
                                                  "the winner is a player's name"),
                      Name);
}

QString WinnerHuman() {
    return QCoreApplication::translate("StringRes", "You");
}

QString WinnerComputer() {
    return QCoreApplication::translate("StringRes", "The Computer");
}

QString SettingsNotSaved(const QString& Path, const QString& Reason) {
    return QCoreApplication::translate(
               "StringRes", "The settings and the hall of fame could not be saved to\n%1\n\n%2\n\n"
                            "Any earlier copy of the file is unchanged.")
        .arg(Path, Reason);
}

QString ResetStatistics() {
    return QCoreApplication::translate("StringRes", "Reset statistics");
}

QString ResetStatisticsQuestion() {
    return QCoreApplication::translate(
        "StringRes", "Clear the statistics of every level and deck? This cannot be undone.");
}

QString StatisticsToggle() {
    return QCoreApplication::translate("StringRes", "S&tatistics");
}

QString CardsToGoCaption() {
    return QCoreApplication::translate("StringRes", "to go");
}

QString DealHint() {
    return QCoreApplication::translate("StringRes", "Press Deal to start a game");
}

QString ShowPlaysOption() {
    return QCoreApplication::translate("StringRes", "Show plays");
}

QString FumbleRuleOption() {
    return QCoreApplication::translate(
        "StringRes", "Fumble rule: a refused play locks your cards for half a second");
}

} // namespace StringRes

#pragma once
// The game's user-visible texts, kept in one place so the wording stays identical wherever a
// text is shown or written to the settings file.

#include <QString>
#include <cstdint>

namespace StringRes {

// The texts come in the player's language, except the names the settings file goes by (the
// hall-of-fame titles and level names), which stay English in every language.

// Hall-of-fame section titles, one per deck count (1..2) and scoring style (0 Normal,
// 1 Las Vegas): "Single Deck - Normal Scoring" and so on. Empty outside those ranges.
QString FameTitle(int32_t DeckCount, int32_t Scoring);
// The same as the lists show them, in the player's language.
QString ShownFameTitle(int32_t DeckCount, int32_t Scoring);
// The computer's levels by their number (0 Unbeatable .. 4 Easy), in the player's language:
// "Unbeatable" .. "Easy"; empty for any other number. TLevel says what else a level means.
QString LevelName(int32_t Level);
// The same in English, as the settings file names them in every language.
QString LevelFileName(int32_t Level);

QString RankHeading();        // "Rank  Score     Name"
QString EnterYourName();      // "Please enter your name"
QString ReadyToStart();       // "Click Ok when Ready to Start!"
QString CreatingSecondDeck(); // "Creating a Second Deck, Please be Patient"
QString ChangesNeedNewGame(); // "Changes require starting a new game, continue?"
QString GameWonFormat();      // "%s Won, Do you want to play again?"
// GameWonFormat with Winner in place of "%s".
QString GameWon(const QString& Winner);
// The same question when the winner is a player named Name.
QString GameWonBy(const QString& Name);
QString WinnerHuman();    // "You"
QString WinnerComputer(); // "The Computer"

QString ResetStatistics();         // "Reset statistics"
QString ResetStatisticsQuestion(); // asked before the statistics are cleared
QString StatisticsToggle();        // the scores dialog's button that shows the statistics
QString CardsToGoCaption();        // "to go", under the cards a side still has to lay
QString DealHint();                // "Press Deal to start a game"
QString ShowPlaysOption();         // "Show plays"
QString FumbleRuleOption(); // "Fumble rule: a refused play locks your cards for half a second"

// The settings file could not be written: Path and the system's Reason.
QString SettingsNotSaved(const QString& Path, const QString& Reason);

} // namespace StringRes

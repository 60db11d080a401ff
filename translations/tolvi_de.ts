<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>Not a deal number: %1</source>
        <translation>Keine Spielnummer: %1</translation>
    </message>
    <message>
        <source>--host takes a port: %1</source>
        <translation>--host erwartet einen Port: %1</translation>
    </message>
    <message>
        <source>--join takes HOST[:PORT]</source>
        <translation>--join erwartet HOST[:PORT]</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Unbekannte Option: %1</translation>
    </message>
    <message>
        <source>--host and --join do not go together</source>
        <translation>--host und --join schließen sich aus</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Tolvi Help</source>
        <translation>Tolvi-Hilfe</translation>
    </message>
</context>
<context>
    <name>KsDialogs</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
</context>
<context>
    <name>NetSocketsModule</name>
    <message>
        <source>%1 is of another version of Tolvi</source>
        <translation>%1 gehört zu einer anderen Version von Tolvi</translation>
    </message>
    <message>
        <source>%1 is in none of %2</source>
        <translation>%1 liegt in keinem dieser Ordner: %2</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>No games yet</source>
        <translation>Noch keine Spiele</translation>
    </message>
    <message>
        <source>Played</source>
        <translation>Gespielt</translation>
    </message>
    <message>
        <source>Win rate</source>
        <translation>Siegquote</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Streak</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
    <message>
        <source>Best streak</source>
        <translation>Beste Serie</translation>
    </message>
    <message>
        <source>Abandoned</source>
        <translation>Abbrüche</translation>
    </message>
    <message>
        <source>Fastest win</source>
        <translation>Bestzeit</translation>
    </message>
    <message>
        <source>Best score</source>
        <translation>Bestwert</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Schnitt</translation>
    </message>
    <message>
        <source>Day&apos;s deal %1, %2</source>
        <translation>Tagesspiel %1, %2</translation>
    </message>
    <message>
        <source>Best time</source>
        <translation>Bestzeit</translation>
    </message>
    <message>
        <source>Head to head - Single Deck</source>
        <translation>Kopf an Kopf - Ein Kartenspiel</translation>
    </message>
    <message>
        <source>Head to head - Double Deck</source>
        <translation>Kopf an Kopf - Zwei Kartenspiele</translation>
    </message>
</context>
<context>
    <name>StringRes</name>
    <message>
        <source>Unbeatable</source>
        <translation>Unschlagbar</translation>
    </message>
    <message>
        <source>Very Hard</source>
        <translation>Sehr schwer</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Not Bad</source>
        <translation>Ganz gut</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Single Deck - Normal Scoring</source>
        <translation>Ein Kartenspiel - Normal</translation>
    </message>
    <message>
        <source>Single Deck - Las Vegas Scoring</source>
        <translation>Ein Kartenspiel - Las Vegas</translation>
    </message>
    <message>
        <source>Double Deck - Normal Scoring</source>
        <translation>Zwei Kartenspiele - Normal</translation>
    </message>
    <message>
        <source>Double Deck - Las Vegas Scoring</source>
        <translation>Zwei Kartenspiele - Las Vegas</translation>
    </message>
    <message>
        <source>Rank  Score     Name</source>
        <translation>Platz Punkte    Name</translation>
    </message>
    <message>
        <source>Please enter your name</source>
        <translation>Bitte geben Sie Ihren Namen ein</translation>
    </message>
    <message>
        <source>Click Ok when Ready to Start!</source>
        <translation>Klicken Sie auf OK, sobald Sie bereit sind!</translation>
    </message>
    <message>
        <source>Creating a Second Deck, Please be Patient</source>
        <translation>Ein zweites Kartenspiel wird gemischt, bitte etwas Geduld</translation>
    </message>
    <message>
        <source>Changes require starting a new game, continue?</source>
        <translation>Die Änderungen erfordern ein neues Spiel. Fortfahren?</translation>
    </message>
    <message>
        <source>%s Won, Do you want to play again?</source>
        <translation>%s gewonnen! Möchten Sie noch einmal spielen?</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Sie haben</translation>
    </message>
    <message>
        <source>The Computer</source>
        <translation>Der Computer hat</translation>
    </message>
    <message>
        <source>The settings and the hall of fame could not be saved to
%1

%2

Any earlier copy of the file is unchanged.</source>
        <translation>Die Einstellungen und die Bestenliste konnten nicht gespeichert werden in
%1

%2

Eine frühere Fassung der Datei bleibt unverändert.</translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <translation>Statistik löschen</translation>
    </message>
    <message>
        <source>Clear the statistics of every level and deck? This cannot be undone.</source>
        <translation>Die Statistik aller Stufen und Kartenspiele löschen? Das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>S&amp;tatistics</source>
        <translation>S&amp;tatistik</translation>
    </message>
    <message>
        <source>to go</source>
        <translation>übrig</translation>
    </message>
    <message>
        <source>Press Deal to start a game</source>
        <translation>Geben drücken, um ein Spiel zu beginnen</translation>
    </message>
    <message>
        <source>Show plays</source>
        <translation>Spielzüge zeigen</translation>
    </message>
    <message>
        <source>Fumble rule: a refused play locks your cards for half a second</source>
        <translation>Patzerregel: Ein ungültiger Zug sperrt Ihre Karten eine halbe Sekunde lang</translation>
    </message>
    <message>
        <source>%s Won, Do you want to play again?</source>
        <comment>the winner is a player&apos;s name</comment>
        <translation>%s hat gewonnen! Möchten Sie noch einmal spielen?</translation>
    </message>
</context>
<context>
    <name>TDisplayChoices</name>
    <message>
        <source>Table size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Large indices</source>
        <translation>Große Eckzeichen</translation>
    </message>
    <message>
        <source>Four colours</source>
        <translation>Vier Farben</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>TGameSummary</name>
    <message>
        <source>%1 Won</source>
        <translation>%1 gewonnen</translation>
    </message>
    <message>
        <source>%1 Won</source>
        <comment>the winner is a player&apos;s name</comment>
        <translation>%1 hat gewonnen</translation>
    </message>
    <message>
        <source>Cards laid</source>
        <translation>Gelegte Karten</translation>
    </message>
    <message>
        <source>Turn-over passes</source>
        <translation>Umdrehrunden</translation>
    </message>
    <message>
        <source>Level bonus</source>
        <translation>Stufenbonus</translation>
    </message>
    <message>
        <source>Cards bonus</source>
        <translation>Kartenbonus</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Carried over</source>
        <translation>Übertrag</translation>
    </message>
    <message>
        <source>Stake</source>
        <translation>Einsatz</translation>
    </message>
    <message>
        <source>Winning point</source>
        <translation>Siegpunkt</translation>
    </message>
    <message>
        <source>Not for the hall of fame</source>
        <translation>Nicht für die Bestenliste</translation>
    </message>
</context>
<context>
    <name>TKsCardGroup</name>
    <message>
        <source>Dealer</source>
        <translation>Geber</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>&amp;Deal</source>
        <translation>&amp;Geben</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Scores</source>
        <translation>&amp;Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>Score :</source>
        <translation>Stand :</translation>
    </message>
    <message>
        <source>The help file was not found:
%1</source>
        <translation>Die Hilfedatei wurde nicht gefunden:
%1</translation>
    </message>
    <message>
        <source>ERROR CAUGHT!!<byte value="xd"/> Please Report this!<byte value="xd"/> Computer has won, but is waiting</source>
        <translation>FEHLER ABGEFANGEN!!<byte value="xd"/> Bitte melden Sie dies!<byte value="xd"/> Der Computer hat gewonnen, wartet aber</translation>
    </message>
    <message>
        <source>Play deal &amp;number…</source>
        <translation>Spiel&amp;nummer spielen…</translation>
    </message>
    <message>
        <source>&amp;Replay this deal</source>
        <translation>Dieses Spiel &amp;wiederholen</translation>
    </message>
    <message>
        <source>The &amp;day&apos;s deal</source>
        <translation>Das &amp;Tagesspiel</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Spiel %1</translation>
    </message>
    <message>
        <source>Play deal number</source>
        <translation>Spielnummer spielen</translation>
    </message>
    <message>
        <source>Deal number:</source>
        <translation>Spielnummer:</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>Warten auf %1…</translation>
    </message>
</context>
<context>
    <name>TNameForm</name>
    <message>
        <source>Enter your name for the Hall of Fame</source>
        <translation>Ihr Name für die Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>TNetCommands</name>
    <message>
        <source>&amp;Host a game...</source>
        <translation>Partie &amp;eröffnen...</translation>
    </message>
    <message>
        <source>&amp;Join a game...</source>
        <translation>Einer Partie &amp;beitreten...</translation>
    </message>
    <message>
        <source>&amp;Leave the match</source>
        <translation>Partie &amp;verlassen</translation>
    </message>
    <message>
        <source>Tolvi could not wait for a friend on port %1:
%2</source>
        <translation>Tolvi kann auf Port %1 nicht auf einen Freund warten:
%2</translation>
    </message>
    <message>
        <source>Host a game</source>
        <translation>Partie eröffnen</translation>
    </message>
    <message>
        <source>Waiting for your friend to join.

In Tolvi they choose Game, Join a game, and type
%1
or the code %2.

A friend outside your network reaches you only when TCP port %3 is open on your firewall and forwarded by your router.</source>
        <translation>Warten, bis Ihr Freund beitritt.

Dort wählt man Spiel, Einer Partie beitreten, und gibt
%1
oder den Code %2 ein.

Ein Freund außerhalb Ihres Netzwerks erreicht Sie nur, wenn der TCP-Port %3 in Ihrer Firewall offen ist und Ihr Router ihn weiterleitet.</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>Stop waiting</source>
        <translation>Nicht mehr warten</translation>
    </message>
    <message>
        <source>Join a game</source>
        <translation>Einer Partie beitreten</translation>
    </message>
    <message>
        <source>Your friend&apos;s address (and port), or the code they see:</source>
        <translation>Adresse (und Port) Ihres Freundes oder der dort angezeigte Code:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no address Tolvi can join.</source>
        <translation>„%1“ ist keine Adresse, die Tolvi erreichen kann.</translation>
    </message>
    <message>
        <source>Tolvi cannot play over the network: its network module could not be loaded.
%1</source>
        <translation>Tolvi kann nicht über das Netzwerk spielen: Sein Netzwerkmodul konnte nicht geladen werden.
%1</translation>
    </message>
    <message>
        <source>Waiting for your friend to join.

In Tolvi they choose Game, Join a game, and type
%1.

A friend outside your network reaches you only when TCP port %2 is open on your firewall and forwarded by your router.</source>
        <translation>Warten, bis Ihr Freund beitritt.

Dort wählt man Spiel, Einer Partie beitreten, und gibt
%1 ein.

Ein Freund außerhalb Ihres Netzwerks erreicht Sie nur, wenn der TCP-Port %2 in Ihrer Firewall offen ist und Ihr Router ihn weiterleitet.</translation>
    </message>
    <message>
        <source>A player whose Tolvi speaks head-to-head version %1 could not join: this one speaks version %2. Both players need the same version of Tolvi.</source>
        <translation>Ein Spieler, dessen Tolvi die Kopf-an-Kopf-Version %1 spricht, konnte nicht beitreten: dieses spricht die Version %2. Beide brauchen dieselbe Version von Tolvi.</translation>
    </message>
    <message>
        <source>Leave the match? The game in play counts as abandoned.</source>
        <translation>Die Partie verlassen? Das laufende Spiel zählt als abgebrochen.</translation>
    </message>
</context>
<context>
    <name>TNetMatch</name>
    <message>
        <source>Your friend</source>
        <translation>Ihr Gegenüber</translation>
    </message>
    <message>
        <source>%1 sent a message out of turn; the match is over.</source>
        <translation>%1 hat zur falschen Zeit eine Nachricht gesendet; die Partie ist beendet.</translation>
    </message>
    <message>
        <source>The two tables no longer agree; the match is over.</source>
        <translation>Die beiden Tische stimmen nicht mehr überein; die Partie ist beendet.</translation>
    </message>
    <message>
        <source>%1 does not want to play again.</source>
        <translation>%1 möchte nicht noch einmal spielen.</translation>
    </message>
    <message>
        <source>The other player</source>
        <translation>Die Gegenseite</translation>
    </message>
    <message>
        <source>No game was found at that address. Check the address and port, and that your friend is hosting.</source>
        <translation>Unter dieser Adresse wurde keine Partie gefunden. Prüfen Sie Adresse und Port und ob Ihr Gegenüber eine Partie eröffnet hat.</translation>
    </message>
    <message>
        <source>%1 left the match.</source>
        <translation>%1 hat die Partie verlassen.</translation>
    </message>
    <message>
        <source>%1 has not answered for several seconds; the match is over.</source>
        <translation>%1 antwortet seit einigen Sekunden nicht; die Partie ist beendet.</translation>
    </message>
    <message>
        <source>The other side sent something that is not a Tolvi message; the match is over.</source>
        <translation>Die Gegenseite hat etwas gesendet, das keine Tolvi-Nachricht ist; die Partie ist beendet.</translation>
    </message>
    <message>
        <source>The other player&apos;s Tolvi speaks head-to-head version %1, this one version %2. Both players need the same version of Tolvi.</source>
        <translation>Das Tolvi der Gegenseite spricht die Kopf-an-Kopf-Version %1, dieses die Version %2. Beide brauchen dieselbe Version von Tolvi.</translation>
    </message>
    <message>
        <source>The game at that address closed the connection before the match began.</source>
        <translation>Das Spiel unter dieser Adresse hat die Verbindung getrennt, bevor die Partie begann.</translation>
    </message>
    <message>
        <source>The game at that address did not answer; no match began.</source>
        <translation>Das Spiel unter dieser Adresse hat nicht geantwortet; keine Partie hat begonnen.</translation>
    </message>
    <message>
        <source>The player at that address is letting someone else join just now. Try again in a moment.</source>
        <translation>Unter dieser Adresse tritt gerade jemand anderes bei. Versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>The player at that address is already playing a match with someone else.</source>
        <translation>Unter dieser Adresse wird bereits eine Partie mit jemand anderem gespielt.</translation>
    </message>
    <message>
        <source>%1 stopped reading what this side sends; the match is over.</source>
        <translation>%1 liest nicht mehr, was diese Seite sendet; die Partie ist beendet.</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Scoring Style</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Las Vegas</source>
        <translation>Las Vegas</translation>
    </message>
    <message>
        <source>Deck Size</source>
        <translation>Kartenspiele</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Eines</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Play and Table</source>
        <translation>Spiel und Tisch</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
</context>
<context>
    <name>TScoreForm</name>
    <message>
        <source>Hall of Fame</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Punkte</translation>
    </message>
</context>
<context>
    <name>TTableAccess</name>
    <message>
        <source>Game events</source>
        <translation>Spielgeschehen</translation>
    </message>
    <message>
        <source>You cannot play</source>
        <translation>Sie können nicht legen</translation>
    </message>
    <message>
        <source>The computer cannot play</source>
        <translation>Der Computer kann nicht legen</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>Your card %1: %2</source>
        <translation>Ihre Karte %1: %2</translation>
    </message>
    <message>
        <source>Computer&apos;s card %1: %2</source>
        <translation>Karte %1 des Computers: %2</translation>
    </message>
    <message>
        <source>Left pile: %1</source>
        <translation>Linker Stapel: %1</translation>
    </message>
    <message>
        <source>Right pile: %1</source>
        <translation>Rechter Stapel: %1</translation>
    </message>
    <message>
        <source>Your cards to go: %1</source>
        <translation>Ihre restlichen Karten: %1</translation>
    </message>
    <message>
        <source>The computer&apos;s cards to go: %1</source>
        <translation>Restliche Karten des Computers: %1</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Stand: %1</translation>
    </message>
    <message>
        <source>New deal</source>
        <translation>Neues Spiel gegeben</translation>
    </message>
    <message>
        <source>No game runs: deal with Alt+D</source>
        <translation>Kein Spiel läuft: mit Alt+G geben</translation>
    </message>
    <message>
        <source>Your card %1 is empty</source>
        <translation>Ihre Karte %1 ist leer</translation>
    </message>
    <message>
        <source>The %1 fits on no pile</source>
        <translation>%1 passt auf keinen Stapel</translation>
    </message>
    <message>
        <source>Your cards are locked for a moment</source>
        <translation>Ihre Karten sind kurz gesperrt</translation>
    </message>
    <message>
        <source>The piles are turned over</source>
        <translation>Die Stapel werden umgedreht</translation>
    </message>
    <message>
        <source>You won with a score of %1</source>
        <translation>Sie haben mit %1 Punkten gewonnen</translation>
    </message>
    <message>
        <source>The computer won</source>
        <translation>Der Computer hat gewonnen</translation>
    </message>
    <message>
        <source>The computer laid the %1 on the left pile</source>
        <translation>Der Computer hat %1 auf den linken Stapel gelegt</translation>
    </message>
    <message>
        <source>The computer laid the %1 on the right pile</source>
        <translation>Der Computer hat %1 auf den rechten Stapel gelegt</translation>
    </message>
    <message>
        <source>You laid the %1 on the left pile</source>
        <translation>Sie haben %1 auf den linken Stapel gelegt</translation>
    </message>
    <message>
        <source>You laid the %1 on the right pile</source>
        <translation>Sie haben %1 auf den rechten Stapel gelegt</translation>
    </message>
    <message>
        <source>%1&apos;s card %2: %3</source>
        <translation>Karte %2 von %1: %3</translation>
    </message>
    <message>
        <source>%1&apos;s cards to go: %2</source>
        <translation>Restliche Karten von %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot play</source>
        <translation>%1 kann nicht legen</translation>
    </message>
    <message>
        <source>%1 laid the %2 on the left pile</source>
        <translation>%1 hat %2 auf den linken Stapel gelegt</translation>
    </message>
    <message>
        <source>%1 laid the %2 on the right pile</source>
        <translation>%1 hat %2 auf den rechten Stapel gelegt</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>Warten auf %1…</translation>
    </message>
    <message>
        <source>%1 won</source>
        <translation>%1 hat gewonnen</translation>
    </message>
</context>
<context>
    <name>TTitlePanel</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>TableAccess</name>
    <message>
        <source>two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>three</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>four</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>five</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>seven</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>eight</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>nine</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>ten</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>king</source>
        <translation>König</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>%1 the rank, %2 the suit: &quot;seven of hearts&quot;</extracomment>
        <translation>%2 %1</translation>
    </message>
</context>
</TS>

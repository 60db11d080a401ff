<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>Not a deal number: %1</source>
        <translation>Numéro de donne invalide : %1</translation>
    </message>
    <message>
        <source>--host takes a port: %1</source>
        <translation>--host attend un port : %1</translation>
    </message>
    <message>
        <source>--join takes HOST[:PORT]</source>
        <translation>--join attend HÔTE[:PORT]</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Option inconnue : %1</translation>
    </message>
    <message>
        <source>--host and --join do not go together</source>
        <translation>--host et --join s&apos;excluent</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Tolvi Help</source>
        <translation>Aide de Tolvi</translation>
    </message>
</context>
<context>
    <name>KsDialogs</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmation</translation>
    </message>
</context>
<context>
    <name>NetSocketsModule</name>
    <message>
        <source>%1 is of another version of Tolvi</source>
        <translation>%1 appartient à une autre version de Tolvi</translation>
    </message>
    <message>
        <source>%1 is in none of %2</source>
        <translation>%1 ne se trouve dans aucun de ces dossiers&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>No games yet</source>
        <translation>Aucune partie jouée</translation>
    </message>
    <message>
        <source>Played</source>
        <translation>Jouées</translation>
    </message>
    <message>
        <source>Win rate</source>
        <translation>Victoires</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gagnées</translation>
    </message>
    <message>
        <source>Streak</source>
        <translation>Série</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Perdues</translation>
    </message>
    <message>
        <source>Best streak</source>
        <translation>Série max.</translation>
    </message>
    <message>
        <source>Abandoned</source>
        <translation>Abandons</translation>
    </message>
    <message>
        <source>Fastest win</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Best score</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Day&apos;s deal %1, %2</source>
        <translation>Donne du jour %1, %2</translation>
    </message>
    <message>
        <source>Best time</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Head to head - Single Deck</source>
        <translation>Face-à-face - Un jeu</translation>
    </message>
    <message>
        <source>Head to head - Double Deck</source>
        <translation>Face-à-face - Deux jeux</translation>
    </message>
</context>
<context>
    <name>StringRes</name>
    <message>
        <source>Unbeatable</source>
        <translation>Imbattable</translation>
    </message>
    <message>
        <source>Very Hard</source>
        <translation>Très difficile</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Not Bad</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Single Deck - Normal Scoring</source>
        <translation>Un jeu - Normal</translation>
    </message>
    <message>
        <source>Single Deck - Las Vegas Scoring</source>
        <translation>Un jeu - Las Vegas</translation>
    </message>
    <message>
        <source>Double Deck - Normal Scoring</source>
        <translation>Deux jeux - Normal</translation>
    </message>
    <message>
        <source>Double Deck - Las Vegas Scoring</source>
        <translation>Deux jeux - Las Vegas</translation>
    </message>
    <message>
        <source>Rank  Score     Name</source>
        <translation>Rang  Score     Nom</translation>
    </message>
    <message>
        <source>Please enter your name</source>
        <translation>Veuillez saisir votre nom</translation>
    </message>
    <message>
        <source>Click Ok when Ready to Start!</source>
        <translation>Cliquez sur OK quand vous êtes prêt !</translation>
    </message>
    <message>
        <source>Creating a Second Deck, Please be Patient</source>
        <translation>Préparation d&apos;un second jeu, veuillez patienter</translation>
    </message>
    <message>
        <source>Changes require starting a new game, continue?</source>
        <translation>Ces changements demandent une nouvelle partie. Continuer ?</translation>
    </message>
    <message>
        <source>%s Won, Do you want to play again?</source>
        <translation>%s gagné ! Voulez-vous rejouer ?</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Vous avez</translation>
    </message>
    <message>
        <source>The Computer</source>
        <translation>L&apos;ordinateur a</translation>
    </message>
    <message>
        <source>The settings and the hall of fame could not be saved to
%1

%2

Any earlier copy of the file is unchanged.</source>
        <translation>Les réglages et le palmarès n&apos;ont pas pu être enregistrés dans
%1

%2

Toute version antérieure du fichier reste inchangée.</translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Clear the statistics of every level and deck? This cannot be undone.</source>
        <translation>Effacer les statistiques de tous les niveaux et de tous les jeux ? C&apos;est irréversible.</translation>
    </message>
    <message>
        <source>S&amp;tatistics</source>
        <translation>S&amp;tatistiques</translation>
    </message>
    <message>
        <source>to go</source>
        <translation>restantes</translation>
    </message>
    <message>
        <source>Press Deal to start a game</source>
        <translation>Cliquez sur Distribuer pour commencer</translation>
    </message>
    <message>
        <source>Show plays</source>
        <translation>Montrer les coups</translation>
    </message>
    <message>
        <source>Fumble rule: a refused play locks your cards for half a second</source>
        <translation>Règle de la maladresse : un coup refusé bloque vos cartes une demi-seconde</translation>
    </message>
    <message>
        <source>%s Won, Do you want to play again?</source>
        <comment>the winner is a player&apos;s name</comment>
        <translation>%s a gagné ! Voulez-vous rejouer ?</translation>
    </message>
</context>
<context>
    <name>TDisplayChoices</name>
    <message>
        <source>Table size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Large indices</source>
        <translation>Grands index</translation>
    </message>
    <message>
        <source>Four colours</source>
        <translation>Quatre couleurs</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>TGameSummary</name>
    <message>
        <source>%1 Won</source>
        <translation>%1 gagné</translation>
    </message>
    <message>
        <source>%1 Won</source>
        <comment>the winner is a player&apos;s name</comment>
        <translation>%1 a gagné</translation>
    </message>
    <message>
        <source>Cards laid</source>
        <translation>Cartes posées</translation>
    </message>
    <message>
        <source>Turn-over passes</source>
        <translation>Retournements</translation>
    </message>
    <message>
        <source>Level bonus</source>
        <translation>Bonus de niveau</translation>
    </message>
    <message>
        <source>Cards bonus</source>
        <translation>Bonus de cartes</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Carried over</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Stake</source>
        <translation>Mise</translation>
    </message>
    <message>
        <source>Winning point</source>
        <translation>Point de victoire</translation>
    </message>
    <message>
        <source>Not for the hall of fame</source>
        <translation>Hors palmarès</translation>
    </message>
</context>
<context>
    <name>TKsCardGroup</name>
    <message>
        <source>Dealer</source>
        <translation>Donneur</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>&amp;Deal</source>
        <translation>&amp;Distribuer</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Scores</source>
        <translation>&amp;Scores</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Jeu</translation>
    </message>
    <message>
        <source>Score :</source>
        <translation>Score :</translation>
    </message>
    <message>
        <source>The help file was not found:
%1</source>
        <translation>Le fichier d&apos;aide est introuvable :
%1</translation>
    </message>
    <message>
        <source>ERROR CAUGHT!!<byte value="xd"/> Please Report this!<byte value="xd"/> Computer has won, but is waiting</source>
        <translation>ERREUR INTERCEPTÉE !!<byte value="xd"/> Merci de la signaler !<byte value="xd"/> L&apos;ordinateur a gagné mais attend</translation>
    </message>
    <message>
        <source>Play deal &amp;number…</source>
        <translation>Donne par &amp;numéro…</translation>
    </message>
    <message>
        <source>&amp;Replay this deal</source>
        <translation>&amp;Rejouer cette donne</translation>
    </message>
    <message>
        <source>The &amp;day&apos;s deal</source>
        <translation>La donne du &amp;jour</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Donne %1</translation>
    </message>
    <message>
        <source>Play deal number</source>
        <translation>Donne par numéro</translation>
    </message>
    <message>
        <source>Deal number:</source>
        <translation>Numéro de donne :</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>En attente de %1…</translation>
    </message>
</context>
<context>
    <name>TNameForm</name>
    <message>
        <source>Enter your name for the Hall of Fame</source>
        <translation>Votre nom pour le palmarès</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
</context>
<context>
    <name>TNetCommands</name>
    <message>
        <source>&amp;Host a game...</source>
        <translation>&amp;Héberger une partie...</translation>
    </message>
    <message>
        <source>&amp;Join a game...</source>
        <translation>Rejoindre une &amp;partie...</translation>
    </message>
    <message>
        <source>&amp;Leave the match</source>
        <translation>&amp;Quitter la partie</translation>
    </message>
    <message>
        <source>Tolvi could not wait for a friend on port %1:
%2</source>
        <translation>Tolvi ne peut pas attendre un ami sur le port %1 :
%2</translation>
    </message>
    <message>
        <source>Host a game</source>
        <translation>Héberger une partie</translation>
    </message>
    <message>
        <source>Waiting for your friend to join.

In Tolvi they choose Game, Join a game, and type
%1
or the code %2.

A friend outside your network reaches you only when TCP port %3 is open on your firewall and forwarded by your router.</source>
        <translation>En attente de votre ami.

Votre ami choisit Jeu, Rejoindre une partie, et saisit
%1
ou le code %2.

Un ami hors de votre réseau ne vous atteint que si le port TCP %3 est ouvert dans votre pare-feu et redirigé par votre routeur.</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>Stop waiting</source>
        <translation>Ne plus attendre</translation>
    </message>
    <message>
        <source>Join a game</source>
        <translation>Rejoindre une partie</translation>
    </message>
    <message>
        <source>Your friend&apos;s address (and port), or the code they see:</source>
        <translation>Adresse (et port) de votre ami, ou le code affiché chez lui :</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no address Tolvi can join.</source>
        <translation>« %1 » n&apos;est pas une adresse que Tolvi peut rejoindre.</translation>
    </message>
    <message>
        <source>Tolvi cannot play over the network: its network module could not be loaded.
%1</source>
        <translation>Tolvi ne peut pas jouer en réseau&#xa0;: son module réseau n&apos;a pas pu être chargé.
%1</translation>
    </message>
    <message>
        <source>Waiting for your friend to join.

In Tolvi they choose Game, Join a game, and type
%1.

A friend outside your network reaches you only when TCP port %2 is open on your firewall and forwarded by your router.</source>
        <translation>En attente de votre ami.

Votre ami choisit Jeu, Rejoindre une partie, et saisit
%1.

Un ami hors de votre réseau ne vous atteint que si le port TCP %2 est ouvert dans votre pare-feu et redirigé par votre routeur.</translation>
    </message>
    <message>
        <source>A player whose Tolvi speaks head-to-head version %1 could not join: this one speaks version %2. Both players need the same version of Tolvi.</source>
        <translation>Un joueur dont Tolvi parle la version %1 du face-à-face n’a pas pu se joindre : celui-ci parle la version %2. Les deux joueurs ont besoin de la même version de Tolvi.</translation>
    </message>
    <message>
        <source>Leave the match? The game in play counts as abandoned.</source>
        <translation>Quitter la partie ? Le jeu en cours compte comme abandonné.</translation>
    </message>
</context>
<context>
    <name>TNetMatch</name>
    <message>
        <source>Your friend</source>
        <translation>Votre adversaire</translation>
    </message>
    <message>
        <source>%1 sent a message out of turn; the match is over.</source>
        <translation>%1 a envoyé un message hors de son tour ; la partie est terminée.</translation>
    </message>
    <message>
        <source>The two tables no longer agree; the match is over.</source>
        <translation>Les deux tables ne concordent plus ; la partie est terminée.</translation>
    </message>
    <message>
        <source>%1 does not want to play again.</source>
        <translation>%1 ne veut pas rejouer.</translation>
    </message>
    <message>
        <source>The other player</source>
        <translation>L&apos;autre joueur</translation>
    </message>
    <message>
        <source>No game was found at that address. Check the address and port, and that your friend is hosting.</source>
        <translation>Aucune partie trouvée à cette adresse. Vérifiez l&apos;adresse et le port, et que votre ami héberge bien une partie.</translation>
    </message>
    <message>
        <source>%1 left the match.</source>
        <translation>%1 a quitté la partie.</translation>
    </message>
    <message>
        <source>%1 has not answered for several seconds; the match is over.</source>
        <translation>%1 ne répond plus depuis plusieurs secondes ; la partie est terminée.</translation>
    </message>
    <message>
        <source>The other side sent something that is not a Tolvi message; the match is over.</source>
        <translation>L&apos;autre côté a envoyé autre chose qu&apos;un message Tolvi ; la partie est terminée.</translation>
    </message>
    <message>
        <source>The other player&apos;s Tolvi speaks head-to-head version %1, this one version %2. Both players need the same version of Tolvi.</source>
        <translation>Le Tolvi de l&apos;autre joueur parle la version %1 du face-à-face, celui-ci la version %2. Les deux joueurs ont besoin de la même version de Tolvi.</translation>
    </message>
    <message>
        <source>The game at that address closed the connection before the match began.</source>
        <translation>Le jeu à cette adresse a fermé la connexion avant le début de la partie.</translation>
    </message>
    <message>
        <source>The game at that address did not answer; no match began.</source>
        <translation>Le jeu à cette adresse n’a pas répondu ; aucune partie n’a commencé.</translation>
    </message>
    <message>
        <source>The player at that address is letting someone else join just now. Try again in a moment.</source>
        <translation>Quelqu’un d’autre est en train de rejoindre le joueur à cette adresse. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>The player at that address is already playing a match with someone else.</source>
        <translation>Le joueur à cette adresse joue déjà une partie avec quelqu’un d’autre.</translation>
    </message>
    <message>
        <source>%1 stopped reading what this side sends; the match is over.</source>
        <translation>%1 ne lit plus ce que ce côté envoie ; la partie est terminée.</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Scoring Style</source>
        <translation>Décompte</translation>
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
        <translation>Jeux de cartes</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Un</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Deux</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Valider</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>Play and Table</source>
        <translation>Jeu et table</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lent</translation>
    </message>
</context>
<context>
    <name>TScoreForm</name>
    <message>
        <source>Hall of Fame</source>
        <translation>Palmarès</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Scores</translation>
    </message>
</context>
<context>
    <name>TTableAccess</name>
    <message>
        <source>Game events</source>
        <translation>Déroulement de la partie</translation>
    </message>
    <message>
        <source>You cannot play</source>
        <translation>Vous ne pouvez pas jouer</translation>
    </message>
    <message>
        <source>The computer cannot play</source>
        <translation>L&apos;ordinateur ne peut pas jouer</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>Your card %1: %2</source>
        <translation>Votre carte %1 : %2</translation>
    </message>
    <message>
        <source>Computer&apos;s card %1: %2</source>
        <translation>Carte %1 de l&apos;ordinateur : %2</translation>
    </message>
    <message>
        <source>Left pile: %1</source>
        <translation>Pile de gauche : %1</translation>
    </message>
    <message>
        <source>Right pile: %1</source>
        <translation>Pile de droite : %1</translation>
    </message>
    <message>
        <source>Your cards to go: %1</source>
        <translation>Vos cartes restantes : %1</translation>
    </message>
    <message>
        <source>The computer&apos;s cards to go: %1</source>
        <translation>Cartes restantes de l&apos;ordinateur : %1</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Score : %1</translation>
    </message>
    <message>
        <source>New deal</source>
        <translation>Nouvelle donne</translation>
    </message>
    <message>
        <source>No game runs: deal with Alt+D</source>
        <translation>Aucune partie en cours : distribuez avec Alt+D</translation>
    </message>
    <message>
        <source>Your card %1 is empty</source>
        <translation>Votre carte %1 est vide</translation>
    </message>
    <message>
        <source>The %1 fits on no pile</source>
        <translation>%1 ne va sur aucune pile</translation>
    </message>
    <message>
        <source>Your cards are locked for a moment</source>
        <translation>Vos cartes sont bloquées un instant</translation>
    </message>
    <message>
        <source>The piles are turned over</source>
        <translation>Les piles sont retournées</translation>
    </message>
    <message>
        <source>You won with a score of %1</source>
        <translation>Vous avez gagné avec %1 points</translation>
    </message>
    <message>
        <source>The computer won</source>
        <translation>L&apos;ordinateur a gagné</translation>
    </message>
    <message>
        <source>The computer laid the %1 on the left pile</source>
        <translation>L&apos;ordinateur a posé %1 sur la pile de gauche</translation>
    </message>
    <message>
        <source>The computer laid the %1 on the right pile</source>
        <translation>L&apos;ordinateur a posé %1 sur la pile de droite</translation>
    </message>
    <message>
        <source>You laid the %1 on the left pile</source>
        <translation>Vous avez posé %1 sur la pile de gauche</translation>
    </message>
    <message>
        <source>You laid the %1 on the right pile</source>
        <translation>Vous avez posé %1 sur la pile de droite</translation>
    </message>
    <message>
        <source>%1&apos;s card %2: %3</source>
        <translation>Carte %2 de %1 : %3</translation>
    </message>
    <message>
        <source>%1&apos;s cards to go: %2</source>
        <translation>Cartes restantes de %1 : %2</translation>
    </message>
    <message>
        <source>%1 cannot play</source>
        <translation>%1 ne peut pas jouer</translation>
    </message>
    <message>
        <source>%1 laid the %2 on the left pile</source>
        <translation>%1 a posé %2 sur la pile de gauche</translation>
    </message>
    <message>
        <source>%1 laid the %2 on the right pile</source>
        <translation>%1 a posé %2 sur la pile de droite</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>En attente de %1…</translation>
    </message>
    <message>
        <source>%1 won</source>
        <translation>%1 a gagné</translation>
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
        <translation>deux</translation>
    </message>
    <message>
        <source>three</source>
        <translation>trois</translation>
    </message>
    <message>
        <source>four</source>
        <translation>quatre</translation>
    </message>
    <message>
        <source>five</source>
        <translation>cinq</translation>
    </message>
    <message>
        <source>six</source>
        <translation>six</translation>
    </message>
    <message>
        <source>seven</source>
        <translation>sept</translation>
    </message>
    <message>
        <source>eight</source>
        <translation>huit</translation>
    </message>
    <message>
        <source>nine</source>
        <translation>neuf</translation>
    </message>
    <message>
        <source>ten</source>
        <translation>dix</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>valet</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>dame</translation>
    </message>
    <message>
        <source>king</source>
        <translation>roi</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>as</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>trèfle</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>carreau</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>cœur</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>pique</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>%1 the rank, %2 the suit: &quot;seven of hearts&quot;</extracomment>
        <translation>%1 de %2</translation>
    </message>
</context>
</TS>

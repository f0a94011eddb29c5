<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CommandLine</name>
    <message>
        <source>Sorami, a Mah-Jongg game: solitaire, two players, Rivers and Memory.</source>
        <translation>Sorami, un jeu de Mah-Jong : réussite, deux joueurs, Rivières et Mémoire.</translation>
    </message>
    <message>
        <source>Start the numbered game &lt;number&gt; on the layout.</source>
        <translation>Commence la partie numérotée &lt;numéro&gt; sur la disposition.</translation>
    </message>
    <message>
        <source>number</source>
        <translation>numéro</translation>
    </message>
    <message>
        <source>Play the layout named &lt;name&gt; in the Layout menu.</source>
        <translation>Joue la disposition nommée &lt;nom&gt; dans le menu Disposition.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Argument inattendu : %1</translation>
    </message>
    <message>
        <source>The game number must be a whole number from 1 to 2147483647, not &quot;%1&quot;.</source>
        <translation>Le numéro de partie doit être un nombre entier de 1 à 2147483647, et non « %1 ».</translation>
    </message>
    <message>
        <source>The layout name is empty.</source>
        <translation>Le nom de la disposition est vide.</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>No winnable deal found for this layout: the tiles were dealt at random.</source>
        <translation>Aucune donne gagnable trouvée pour cette disposition : les tuiles ont été distribuées au hasard.</translation>
    </message>
    <message>
        <source>      SORRY, NO MORE MOVES !!</source>
        <translation>      DÉSOLÉ, PLUS AUCUN COUP !!</translation>
    </message>
    <message>
        <source>This layout has no tile places: no game was started.</source>
        <translation>Cette disposition n&apos;a aucune place de tuile : aucune partie n&apos;a été commencée.</translation>
    </message>
    <message>
        <source>Sorami 5.28 - Mah-Jongg solitaire, Rivers and Memory</source>
        <translation>Sorami 5.28 - Réussite Mah-Jong, Rivières et Mémoire</translation>
    </message>
    <message>
        <source>Specific Board started. Random Seed #%1</source>
        <translation>Partie numérotée commencée. Numéro de partie #%1</translation>
    </message>
    <message>
        <source>New game started.</source>
        <translation>Nouvelle partie commencée.</translation>
    </message>
    <message>
        <source>Congratulations !! You WON !</source>
        <translation>Félicitations !! Vous avez GAGNÉ !</translation>
    </message>
    <message>
        <source>You WON ! Your time is : %1</source>
        <translation>Vous avez GAGNÉ ! Votre temps : %1</translation>
    </message>
    <message>
        <source>Vertical variation</source>
        <translation>Variante verticale</translation>
    </message>
    <message>
        <source>If you want to change the game mode, you&apos;ll have to restart your game. Do you wish to continue ?</source>
        <translation>Pour changer de mode de jeu, il faut recommencer la partie. Voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>Only the first %1 layouts are offered: %2 more in the Layouts folder were left out.</source>
        <translation>Seules les %1 premières dispositions sont proposées : %2 autres du dossier Layouts ont été laissées de côté.</translation>
    </message>
    <message>
        <source>Layout %1 selected.</source>
        <translation>Disposition %1 choisie.</translation>
    </message>
    <message>
        <source>Game restarted.</source>
        <translation>Partie recommencée.</translation>
    </message>
    <message>
        <source>Tiles shuffled. %1 new moves found.</source>
        <translation>Tuiles mélangées. %1 nouveaux coups trouvés.</translation>
    </message>
    <message>
        <source>Tiles shuffled. 1 new move found.</source>
        <translation>Tuiles mélangées. 1 nouveau coup trouvé.</translation>
    </message>
    <message>
        <source>No moves found. Try to press Back a few times.</source>
        <translation>Aucun coup trouvé. Essayez d&apos;appuyer quelques fois sur Retour.</translation>
    </message>
    <message>
        <source>Mahjongg Memory started.</source>
        <translation>Mah-Jong Mémoire commencé.</translation>
    </message>
    <message>
        <source>Mahjongg Rivers started.</source>
        <translation>Mah-Jong Rivières commencé.</translation>
    </message>
    <message>
        <source>Two-Player Solitaire started.</source>
        <translation>Réussite à deux joueurs commencée.</translation>
    </message>
    <message>
        <source>Player 2 WON ! Congratulations !</source>
        <translation>Le joueur 2 a GAGNÉ ! Félicitations !</translation>
    </message>
    <message>
        <source>Same score for both players !</source>
        <translation>Même score pour les deux joueurs !</translation>
    </message>
    <message>
        <source>Player 1 WON ! Congratulations !</source>
        <translation>Le joueur 1 a GAGNÉ ! Félicitations !</translation>
    </message>
    <message>
        <source>This game can still be won.</source>
        <translation>Cette partie peut encore être gagnée.</translation>
    </message>
    <message>
        <source>This game can no longer be won: no earlier position could be won either.</source>
        <translation>Cette partie ne peut plus être gagnée : aucune position antérieure ne le pouvait non plus.</translation>
    </message>
    <message>
        <source>It could not be decided in time whether this game can still be won.</source>
        <translation>Impossible de savoir à temps si cette partie peut encore être gagnée.</translation>
    </message>
    <message>
        <source>This game can no longer be won: 1 move back it still could.</source>
        <translation>Cette partie ne peut plus être gagnée : un coup plus tôt, elle le pouvait encore.</translation>
    </message>
    <message>
        <source>This game can no longer be won: %1 moves back it still could.</source>
        <translation>Cette partie ne peut plus être gagnée : %1 coups plus tôt, elle le pouvait encore.</translation>
    </message>
    <message>
        <source>1 move taken back: this game can be won again.</source>
        <translation>1 coup annulé : cette partie peut de nouveau être gagnée.</translation>
    </message>
    <message>
        <source>%1 moves taken back: this game can be won again.</source>
        <translation>%1 coups annulés : cette partie peut de nouveau être gagnée.</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Unable to read %1</source>
        <translation>Impossible de lire %1</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Unable to read %1: it is not a regular file</source>
        <translation>Impossible de lire %1 : ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Unable to read %1: it is a folder</source>
        <translation>Impossible de lire %1 : c&apos;est un dossier</translation>
    </message>
    <message>
        <source>Unable to read %1: it is larger than 1 MiB, far more than a settings or hall-of-fame file holds</source>
        <translation>Impossible de lire %1 : il dépasse 1 Mio, bien plus que ne contient un fichier de réglages ou de tableau d&apos;honneur</translation>
    </message>
</context>
<context>
    <name>LayoutEditor</name>
    <message>
        <source>%1
The layout stays open in the editor: choose &quot;Save as...&quot; to save it under another name.</source>
        <translation>%1
La disposition reste ouverte dans l&apos;éditeur : choisissez « Enregistrer sous... » pour l&apos;enregistrer sous un autre nom.</translation>
    </message>
    <message>
        <source>The layout was saved in %1, but the Layout menu already holds %2 layouts, so it is not listed.</source>
        <translation>La disposition a été enregistrée dans %1, mais le menu Disposition en contient déjà %2 : elle n&apos;y figure donc pas.</translation>
    </message>
    <message>
        <source>You haven&apos;t finished building the layout yet !</source>
        <translation>Vous n&apos;avez pas encore fini de construire la disposition !</translation>
    </message>
    <message>
        <source>Please choose a name for your layout file</source>
        <translation>Choisissez un nom pour votre fichier de disposition</translation>
    </message>
    <message>
        <source>LAY Layout files (*.lay)|*.lay</source>
        <translation>Fichiers de disposition LAY (*.lay)|*.lay</translation>
    </message>
</context>
<context>
    <name>LayoutFile</name>
    <message>
        <source>Cannot open layout file %1: it is a folder.</source>
        <translation>Impossible d&apos;ouvrir le fichier de disposition %1 : c&apos;est un dossier.</translation>
    </message>
    <message>
        <source>Cannot open layout file %1.</source>
        <translation>Impossible d&apos;ouvrir le fichier de disposition %1.</translation>
    </message>
    <message>
        <source>Layout file %1 is too big to be a layout.</source>
        <translation>Le fichier %1 est trop gros pour être une disposition.</translation>
    </message>
    <message>
        <source>Cannot read layout file %1.</source>
        <translation>Impossible de lire le fichier de disposition %1.</translation>
    </message>
    <message>
        <source>Layout file %1 is damaged: %2</source>
        <translation>Le fichier de disposition %1 est abîmé : %2</translation>
    </message>
    <message>
        <source>the line of place flags is missing.</source>
        <translation>la ligne des places manque.</translation>
    </message>
    <message>
        <source>the line of place flags holds %1 characters instead of %2.</source>
        <translation>la ligne des places compte %1 caractères au lieu de %2.</translation>
    </message>
    <message>
        <source>character %1 of the place flags is neither 0 nor 1.</source>
        <translation>le caractère %1 de la ligne des places n&apos;est ni 0 ni 1.</translation>
    </message>
    <message>
        <source>it has %1 places, more than the %2 tiles of the game.</source>
        <translation>elle a %1 places, plus que les %2 tuiles du jeu.</translation>
    </message>
    <message>
        <source>it has %1 lines; a layout needs %2, one per place.</source>
        <translation>il a %1 lignes ; une disposition en demande %2, une par place.</translation>
    </message>
    <message>
        <source>line %1 is shorter than 9 characters.</source>
        <translation>la ligne %1 a moins de 9 caractères.</translation>
    </message>
    <message>
        <source>line %1 places a tile at column %2, row %3, layer %4, outside the board.</source>
        <translation>la ligne %1 place une tuile en colonne %2, rangée %3, étage %4, hors du plateau.</translation>
    </message>
    <message>
        <source>Layout file %1 does not start with &quot;%2&quot;.</source>
        <translation>Le fichier de disposition %1 ne commence pas par « %2 ».</translation>
    </message>
    <message>
        <source>Cannot save layout %1: it has more than %2 places.</source>
        <translation>Impossible d&apos;enregistrer la disposition %1 : elle a plus de %2 places.</translation>
    </message>
    <message>
        <source>Cannot write file %1.</source>
        <translation>Impossible d&apos;écrire le fichier %1.</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2.</source>
        <translation>Impossible d&apos;écrire le fichier %1 : %2.</translation>
    </message>
    <message>
        <source>Cannot open layout file %1: it is not a regular file.</source>
        <translation>Impossible d&apos;ouvrir le fichier de disposition %1 : ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
</context>
<context>
    <name>Looks</name>
    <message>
        <source>Please choose a Tileset bitmap file</source>
        <translation>Choisissez une image de jeu de tuiles</translation>
    </message>
    <message>
        <source>Tileset files (*.bmp; *.jpg)|*.bmp;*.jpg</source>
        <translation>Jeux de tuiles (*.bmp; *.jpg)|*.bmp;*.jpg</translation>
    </message>
    <message>
        <source>Please choose a Background bitmap file</source>
        <translation>Choisissez une image de fond</translation>
    </message>
    <message>
        <source>Background files (*.bmp; *.jpg)|*.bmp;*.jpg</source>
        <translation>Images de fond (*.bmp; *.jpg)|*.bmp;*.jpg</translation>
    </message>
    <message>
        <source>The tileset picture %1 is %2 x %3 pixels; a tileset needs at least %4 x %5.</source>
        <translation>L&apos;image de jeu de tuiles %1 mesure %2 x %3 pixels ; un jeu de tuiles demande au moins %4 x %5.</translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>a track ends in the middle of an event</source>
        <translation>une piste s&apos;arrête au milieu d&apos;un événement</translation>
    </message>
    <message>
        <source>a meta event has the wrong length</source>
        <translation>un méta-événement n&apos;a pas la bonne longueur</translation>
    </message>
    <message>
        <source>it is not a Standard MIDI File</source>
        <translation>ce n&apos;est pas un fichier MIDI standard</translation>
    </message>
    <message>
        <source>its header is damaged</source>
        <translation>son en-tête est abîmé</translation>
    </message>
    <message>
        <source>its format %1 is unknown</source>
        <translation>son format %1 est inconnu</translation>
    </message>
    <message>
        <source>it declares %1 tracks</source>
        <translation>il annonce %1 pistes</translation>
    </message>
    <message>
        <source>a chunk runs past the end of the file</source>
        <translation>un bloc dépasse la fin du fichier</translation>
    </message>
    <message>
        <source>a meta event runs past its track</source>
        <translation>un méta-événement dépasse sa piste</translation>
    </message>
    <message>
        <source>a system exclusive message runs past its track</source>
        <translation>un message exclusif système dépasse sa piste</translation>
    </message>
    <message>
        <source>a track holds a system message files cannot hold</source>
        <translation>une piste contient un message système qu&apos;un fichier ne peut pas contenir</translation>
    </message>
    <message>
        <source>a track starts without a status byte</source>
        <translation>une piste commence sans octet d&apos;état</translation>
    </message>
    <message>
        <source>its time division is not in ticks per beat</source>
        <translation>sa division du temps n&apos;est pas en tops par temps</translation>
    </message>
    <message>
        <source>some tracks its header declares are missing</source>
        <translation>des pistes annoncées par son en-tête manquent</translation>
    </message>
    <message>
        <source>Cannot play the music file %1: %2</source>
        <translation>Impossible de jouer le fichier de musique %1 : %2</translation>
    </message>
    <message>
        <source>it cannot be opened.</source>
        <translation>il ne peut pas être ouvert.</translation>
    </message>
    <message>
        <source>it is a folder.</source>
        <translation>c&apos;est un dossier.</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>it is too large to be a piece of music.</source>
        <translation>il est trop gros pour être un morceau de musique.</translation>
    </message>
    <message>
        <source>it cannot be read.</source>
        <translation>il ne peut pas être lu.</translation>
    </message>
</context>
<context>
    <name>Music</name>
    <message>
        <source>No MCI device open</source>
        <translation>Aucun périphérique MCI ouvert</translation>
    </message>
    <message>
        <source>No sound device</source>
        <translation>Aucun périphérique audio</translation>
    </message>
    <message>
        <source>Cannot start the music synthesiser</source>
        <translation>Impossible de démarrer le synthétiseur de musique</translation>
    </message>
    <message>
        <source>Cannot load the sound font %1</source>
        <translation>Impossible de charger la banque de sons %1</translation>
    </message>
    <message>
        <source>Cannot play the music file %1.</source>
        <translation>Impossible de jouer le fichier de musique %1.</translation>
    </message>
    <message>
        <source>Cannot play %1%2</source>
        <translation>Impossible de jouer %1%2</translation>
    </message>
    <message>
        <source>None of the music pieces can be played: the music stops.</source>
        <translation>Aucun morceau de musique ne peut être joué : la musique s&apos;arrête.</translation>
    </message>
    <message>
        <source>Cannot play the music file %1: the synthesiser cannot load it.</source>
        <translation>Impossible de jouer le fichier de musique %1 : le synthétiseur ne peut pas le charger.</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Cannot open the picture file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;image %1</translation>
    </message>
    <message>
        <source>The picture file %1 is too large to be a picture the game can use</source>
        <translation>Le fichier d&apos;image %1 est trop gros pour être une image utilisable par le jeu</translation>
    </message>
    <message>
        <source>Cannot read the picture file %1</source>
        <translation>Impossible de lire le fichier d&apos;image %1</translation>
    </message>
    <message>
        <source>Not enough memory for the picture</source>
        <translation>Pas assez de mémoire pour l&apos;image</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>L&apos;image bitmap n&apos;est pas valable</translation>
    </message>
    <message>
        <source>The picture file %1 cannot be used: %2</source>
        <translation>Le fichier d&apos;image %1 ne peut pas servir : %2</translation>
    </message>
</context>
<context>
    <name>SavedGame</name>
    <message>
        <source>The saved game %1 is incomplete: it ends after line %2.</source>
        <translation>La partie enregistrée %1 est incomplète : elle s&apos;arrête après la ligne %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was expected.</source>
        <translation>« %1 » était attendu.</translation>
    </message>
    <message>
        <source>%1 values were expected, %2 found.</source>
        <translation>%1 valeurs étaient attendues, %2 trouvées.</translation>
    </message>
    <message>
        <source>a number from %1 to %2 was expected, not %3.</source>
        <translation>un nombre de %1 à %2 était attendu, et non %3.</translation>
    </message>
    <message>
        <source>%1 is not a known value here.</source>
        <translation>%1 n&apos;est pas une valeur connue ici.</translation>
    </message>
    <message>
        <source>the text is too long.</source>
        <translation>le texte est trop long.</translation>
    </message>
    <message>
        <source>the text holds a control character.</source>
        <translation>le texte contient un caractère de contrôle.</translation>
    </message>
    <message>
        <source>the text holds a broken escape.</source>
        <translation>le texte contient une séquence d&apos;échappement incorrecte.</translation>
    </message>
    <message>
        <source>The saved game %1 is damaged at line %2: %3</source>
        <translation>La partie enregistrée %1 est endommagée à la ligne %2 : %3</translation>
    </message>
    <message>
        <source>The saved game %1 is damaged: %2</source>
        <translation>La partie enregistrée %1 est endommagée : %2</translation>
    </message>
    <message>
        <source>the layout number does not fit the kind of game.</source>
        <translation>le numéro de disposition ne convient pas à ce genre de partie.</translation>
    </message>
    <message>
        <source>it names no layout file.</source>
        <translation>elle ne nomme aucun fichier de disposition.</translation>
    </message>
    <message>
        <source>the layout has %1 places for %2 tiles.</source>
        <translation>la disposition a %1 places pour %2 tuiles.</translation>
    </message>
    <message>
        <source>a two-player game cannot be paused.</source>
        <translation>une partie à deux joueurs ne peut pas être en pause.</translation>
    </message>
    <message>
        <source>a paused game must go back to running.</source>
        <translation>une partie en pause doit reprendre son cours.</translation>
    </message>
    <message>
        <source>only a two-player game has turns.</source>
        <translation>seule une partie à deux joueurs a des tours.</translation>
    </message>
    <message>
        <source>only a Rivers game has sliding tiles.</source>
        <translation>seule une partie Rivers a des tuiles qui glissent.</translation>
    </message>
    <message>
        <source>only a Memory game turns tiles over.</source>
        <translation>seule une partie Memory retourne des tuiles.</translation>
    </message>
    <message>
        <source>tile %1 lies at %2, %3, %4, which is no place of this game.</source>
        <translation>la tuile %1 est en %2, %3, %4, qui n&apos;est pas une place de cette partie.</translation>
    </message>
    <message>
        <source>two tiles share the place %1, %2, %3.</source>
        <translation>deux tuiles occupent la place %1, %2, %3.</translation>
    </message>
    <message>
        <source>tile %1 is not one of the game&apos;s %2 tiles.</source>
        <translation>la tuile %1 ne fait pas partie des %2 tuiles de la partie.</translation>
    </message>
    <message>
        <source>tile %1 is removed twice or is still on the board.</source>
        <translation>la tuile %1 est retirée deux fois ou se trouve encore sur le plateau.</translation>
    </message>
    <message>
        <source>the removed tiles %1 and %2 are no pair.</source>
        <translation>les tuiles retirées %1 et %2 ne forment pas une paire.</translation>
    </message>
    <message>
        <source>tile %1 is neither on the board nor removed.</source>
        <translation>la tuile %1 n&apos;est ni sur le plateau ni retirée.</translation>
    </message>
    <message>
        <source>tile %1 is picked or shown but not on the board.</source>
        <translation>la tuile %1 est choisie ou montrée mais n&apos;est pas sur le plateau.</translation>
    </message>
    <message>
        <source>the sliding tile is not where the slide is.</source>
        <translation>la tuile qui glisse n&apos;est pas là où se trouve la glissade.</translation>
    </message>
    <message>
        <source>the clock shows more time than was played.</source>
        <translation>l&apos;horloge indique plus de temps qu&apos;il n&apos;en a été joué.</translation>
    </message>
    <message>
        <source>two turned tiles are to be judged, but not two are turned.</source>
        <translation>deux tuiles retournées doivent être jugées, mais il n&apos;y en a pas deux de retournées.</translation>
    </message>
    <message>
        <source>the players&apos; times are too long.</source>
        <translation>les temps des joueurs sont trop longs.</translation>
    </message>
    <message>
        <source>The file %1 is not a Sorami saved game.</source>
        <translation>Le fichier %1 n&apos;est pas une partie enregistrée de Sorami.</translation>
    </message>
    <message>
        <source>The saved game %1 was written by a newer version of Sorami (format %2); this version reads format %3.</source>
        <translation>La partie enregistrée %1 a été écrite par une version plus récente de Sorami (format %2) ; cette version lit le format %3.</translation>
    </message>
    <message>
        <source>the layout file name is no plain file name.</source>
        <translation>le nom du fichier de disposition n&apos;est pas un simple nom de fichier.</translation>
    </message>
    <message>
        <source>the place lies outside the board.</source>
        <translation>la place se trouve hors du plateau.</translation>
    </message>
    <message>
        <source>the layout places are out of order.</source>
        <translation>les places de la disposition ne sont pas dans l&apos;ordre.</translation>
    </message>
    <message>
        <source>%1 tiles are off the board, but %2 are listed as removed.</source>
        <translation>%1 tuiles sont hors du plateau, mais %2 sont indiquées comme retirées.</translation>
    </message>
    <message>
        <source>more follows the end.</source>
        <translation>du texte suit la fin.</translation>
    </message>
    <message>
        <source>Cannot read the saved game %1.</source>
        <translation>Impossible de lire la partie enregistrée %1.</translation>
    </message>
    <message>
        <source>Cannot open the saved game %1.</source>
        <translation>Impossible d&apos;ouvrir la partie enregistrée %1.</translation>
    </message>
    <message>
        <source>Cannot open the saved game %1: it is a folder.</source>
        <translation>Impossible d&apos;ouvrir la partie enregistrée %1 : c&apos;est un dossier.</translation>
    </message>
    <message>
        <source>Cannot open the saved game %1: it is not a regular file.</source>
        <translation>Impossible d&apos;ouvrir la partie enregistrée %1 : ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The file %1 is too big to be a saved game.</source>
        <translation>Le fichier %1 est trop gros pour être une partie enregistrée.</translation>
    </message>
    <message>
        <source>There is no game in progress to save.</source>
        <translation>Il n&apos;y a aucune partie en cours à enregistrer.</translation>
    </message>
    <message>
        <source>The game in hand cannot be saved: %1</source>
        <translation>La partie en cours ne peut pas être enregistrée : %1</translation>
    </message>
    <message>
        <source>The game in hand cannot be saved: it does not read back the same.</source>
        <translation>La partie en cours ne peut pas être enregistrée : elle ne se relit pas à l&apos;identique.</translation>
    </message>
    <message>
        <source>Cannot write the saved game %1: %2</source>
        <translation>Impossible d&apos;écrire la partie enregistrée %1 : %2</translation>
    </message>
    <message>
        <source>The game in hand could not be kept: %1</source>
        <translation>La partie en cours n&apos;a pas pu être conservée : %1</translation>
    </message>
    <message>
        <source>Game %1 opened.</source>
        <translation>Partie %1 ouverte.</translation>
    </message>
    <message>
        <source>Game saved as %1.</source>
        <translation>Partie enregistrée sous %1.</translation>
    </message>
    <message>
        <source>The last game could not be resumed: %1</source>
        <translation>La dernière partie n&apos;a pas pu être reprise : %1</translation>
    </message>
    <message>
        <source>The game %1 was played on the layout %2, which is no longer in the Layout menu.</source>
        <translation>La partie %1 a été jouée sur la disposition %2, qui n&apos;est plus dans le menu Disposition.</translation>
    </message>
    <message>
        <source>The game %1 cannot be opened: %2</source>
        <translation>La partie %1 ne peut pas être ouverte : %2</translation>
    </message>
    <message>
        <source>The layout %2 has changed since the game %1 was saved: the game cannot go on on it.</source>
        <translation>La disposition %2 a changé depuis l&apos;enregistrement de la partie %1 : la partie ne peut pas s&apos;y poursuivre.</translation>
    </message>
    <message>
        <source>This game is played on a layout that has not been saved: save the layout in the editor first.</source>
        <translation>Cette partie se joue sur une disposition qui n&apos;a pas été enregistrée : enregistrez d&apos;abord la disposition dans l&apos;éditeur.</translation>
    </message>
    <message>
        <source>Game resumed.</source>
        <translation>Partie reprise.</translation>
    </message>
</context>
<context>
    <name>TileNames</name>
    <message>
        <source>Plum flower</source>
        <translation>Fleur de prunier</translation>
    </message>
    <message>
        <source>Orchid flower</source>
        <translation>Fleur d&apos;orchidée</translation>
    </message>
    <message>
        <source>Chrysanthemum flower</source>
        <translation>Fleur de chrysanthème</translation>
    </message>
    <message>
        <source>Bamboo flower</source>
        <translation>Fleur de bambou</translation>
    </message>
    <message>
        <source>Spring season</source>
        <translation>Saison du printemps</translation>
    </message>
    <message>
        <source>Summer season</source>
        <translation>Saison de l&apos;été</translation>
    </message>
    <message>
        <source>Autumn season</source>
        <translation>Saison de l&apos;automne</translation>
    </message>
    <message>
        <source>Winter season</source>
        <translation>Saison de l&apos;hiver</translation>
    </message>
    <message>
        <source>Red dragon</source>
        <translation>Dragon rouge</translation>
    </message>
    <message>
        <source>Green dragon</source>
        <translation>Dragon vert</translation>
    </message>
    <message>
        <source>White dragon</source>
        <translation>Dragon blanc</translation>
    </message>
    <message>
        <source>East wind</source>
        <translation>Vent d&apos;est</translation>
    </message>
    <message>
        <source>South wind</source>
        <translation>Vent du sud</translation>
    </message>
    <message>
        <source>West wind</source>
        <translation>Vent d&apos;ouest</translation>
    </message>
    <message>
        <source>North wind</source>
        <translation>Vent du nord</translation>
    </message>
    <message>
        <source>Crak %1</source>
        <translation>Caractère %1</translation>
    </message>
    <message>
        <source>Bamboo %1</source>
        <translation>Bambou %1</translation>
    </message>
    <message>
        <source>Dot %1</source>
        <translation>Cercle %1</translation>
    </message>
    <message>
        <source>Face down</source>
        <translation>Face cachée</translation>
    </message>
    <message>
        <source>free</source>
        <translation>libre</translation>
    </message>
    <message>
        <source>not free</source>
        <translation>bloquée</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>sélectionnée</translation>
    </message>
    <message>
        <source>hinted</source>
        <translation>indiquée</translation>
    </message>
    <message>
        <source>Layer %1, column %2, row %3, %4</source>
        <translation>Étage %1, colonne %2, rangée %3, %4</translation>
    </message>
    <message>
        <source>place</source>
        <translation>place</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
</context>
<context>
    <name>app::BoardAccessible</name>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
</context>
<context>
    <name>app::EditorPanel</name>
    <message>
        <source>Tiles left</source>
        <translation>Tuiles restantes</translation>
    </message>
    <message>
        <source>Layout Name</source>
        <translation>Nom de la disposition</translation>
    </message>
</context>
<context>
    <name>app::EditorShell</name>
    <message>
        <source>Exit</source>
        <translation>Sortir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Try it</source>
        <translation>Essayer</translation>
    </message>
    <message>
        <source>Move Board</source>
        <translation>Déplacer le plateau</translation>
    </message>
    <message>
        <source>Move to left &lt;</source>
        <translation>Vers la gauche &lt;</translation>
    </message>
    <message>
        <source>Move to right &gt;</source>
        <translation>Vers la droite &gt;</translation>
    </message>
    <message>
        <source>Move to top /\</source>
        <translation>Vers le haut /\</translation>
    </message>
    <message>
        <source>Move to bottom \/</source>
        <translation>Vers le bas \/</translation>
    </message>
</context>
<context>
    <name>app::HelpWindow</name>
    <message>
        <source>Sorami - Help</source>
        <translation>Sorami - Aide</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>What&apos;s New</source>
        <translation>Nouveautés</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Tiles</source>
        <translation>Tuiles</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Tableau d&apos;honneur</translation>
    </message>
    <message>
        <source>Return to Sorami</source>
        <translation>Retour à Sorami</translation>
    </message>
    <message>
        <source>Player Name</source>
        <translation>Nom du joueur</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Random Seed</source>
        <translation>Partie numérotée</translation>
    </message>
    <message>
        <source>Choose a specific game number (from 1 to 2,147,483,647)</source>
        <translation>Choisissez un numéro de partie (de 1 à 2 147 483 647)</translation>
    </message>
    <message>
        <source>Activate the game by clicking File -&gt; Mahjongg Solitaire : New Specific Game</source>
        <translation>Lancez la partie par Fichier -&gt; Réussite Mah-Jong : nouvelle partie numérotée</translation>
    </message>
    <message>
        <source>Rk</source>
        <translation>Rg</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Malus</source>
        <translation>Malus</translation>
    </message>
    <message>
        <source>Reset High Scores</source>
        <translation>Effacer les records</translation>
    </message>
    <message>
        <source>%1 Layout</source>
        <translation>Disposition %1</translation>
    </message>
    <message>
        <source>Mahjongg Rivers (Easy)</source>
        <translation>Mah-Jong Rivières (facile)</translation>
    </message>
    <message>
        <source>Mahjongg Rivers (Hard)</source>
        <translation>Mah-Jong Rivières (difficile)</translation>
    </message>
    <message>
        <source>Mahjongg Memory (Easy)</source>
        <translation>Mah-Jong Mémoire (facile)</translation>
    </message>
    <message>
        <source>Mahjongg Memory (Hard)</source>
        <translation>Mah-Jong Mémoire (difficile)</translation>
    </message>
    <message>
        <source>You reached rank #%1, %2 !</source>
        <translation>Vous avez atteint le rang n° %1, %2 !</translation>
    </message>
    <message>
        <source>Please confirm...</source>
        <translation>Confirmez, s&apos;il vous plaît...</translation>
    </message>
    <message>
        <source>Do you really want to remove the Hall of Fame entries for this layout ?</source>
        <translation>Voulez-vous vraiment effacer le tableau d&apos;honneur de cette disposition ?</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>« %1 » n&apos;est pas un nombre entier valable</translation>
    </message>
    <message>
        <source>Sorami home page: https://sorami.example/</source>
        <translation>Page d&apos;accueil de Sorami : https://sorami.example/</translation>
    </message>
    <message>
        <source>New layouts and tilesets: https://sorami.example/extras/</source>
        <translation>Nouvelles dispositions et jeux de tuiles : https://sorami.example/extras/</translation>
    </message>
    <message>
        <source>Write to the author: author@sorami.example</source>
        <translation>Écrire à l&apos;auteur : author@sorami.example</translation>
    </message>
    <message>
        <source>Report a problem: support@sorami.example</source>
        <translation>Signaler un problème : support@sorami.example</translation>
    </message>
    <message>
        <source>Mah-Jongg solitaire for one or two players, Mah-Jongg Rivers and Mah-Jongg Memory
Programming, layouts, tiles, backgrounds and music: the Sorami team
Sorami is free to play and to give away, as long as it stays whole and unchanged.
Many thanks to every player who sent layouts, ideas and bug reports!</source>
        <translation>Réussite Mah-Jong pour un ou deux joueurs, Mah-Jong Rivières et Mah-Jong Mémoire
Programmation, dispositions, tuiles, fonds et musique : l&apos;équipe Sorami
Sorami est libre d&apos;être joué et donné, tant qu&apos;il reste entier et inchangé.
Merci à tous les joueurs qui ont envoyé dispositions, idées et rapports d&apos;erreurs !</translation>
    </message>
    <message>
        <source>The help text could not be read, so it cannot be shown here.

%1</source>
        <translation>Le texte d&apos;aide n&apos;a pas pu être lu : il ne peut donc pas être affiché ici.

%1</translation>
    </message>
</context>
<context>
    <name>app::MainWindow</name>
    <message>
        <source>Sorami starts with its default settings and leaves the file as it is.</source>
        <translation>Sorami démarre avec ses réglages par défaut et laisse le fichier tel quel.</translation>
    </message>
    <message>
        <source>The folder %1 holds no music piece (*.mid), so Sorami cannot start.</source>
        <translation>Le dossier %1 ne contient aucun morceau de musique (*.mid) : Sorami ne peut pas démarrer.</translation>
    </message>
    <message>
        <source>The folder %1 holds no layout (*.lay, *.shp), so Sorami cannot start.</source>
        <translation>Le dossier %1 ne contient aucune disposition (*.lay, *.shp) : Sorami ne peut pas démarrer.</translation>
    </message>
    <message>
        <source>The hall of fame starts without records and leaves the file as it is.</source>
        <translation>Le tableau d&apos;honneur démarre sans record et laisse le fichier tel quel.</translation>
    </message>
    <message>
        <source>No layout is named &quot;%1&quot;. The layouts are: %2.</source>
        <translation>Aucune disposition ne s&apos;appelle « %1 ». Les dispositions sont : %2.</translation>
    </message>
    <message>
        <source>Your settings and the hall of fame are kept in memory. Make the file writable and close again, or quit without saving them.</source>
        <translation>Vos réglages et le tableau d&apos;honneur sont gardés en mémoire. Rendez le fichier modifiable puis fermez à nouveau, ou quittez sans les enregistrer.</translation>
    </message>
    <message>
        <source>Stay in Sorami</source>
        <translation>Rester dans Sorami</translation>
    </message>
    <message>
        <source>Quit without saving</source>
        <translation>Quitter sans enregistrer</translation>
    </message>
    <message>
        <source>Mah-Jongg Rivers : New Game (Easy)</source>
        <translation>Mah-Jong Rivières : nouvelle partie (facile)</translation>
    </message>
    <message>
        <source>Mah-Jongg Rivers : New Game (Hard)</source>
        <translation>Mah-Jong Rivières : nouvelle partie (difficile)</translation>
    </message>
    <message>
        <source>Mah-Jongg Memory : New Game (Easy)</source>
        <translation>Mah-Jong Mémoire : nouvelle partie (facile)</translation>
    </message>
    <message>
        <source>Mah-Jongg Memory : New Game (Hard)</source>
        <translation>Mah-Jong Mémoire : nouvelle partie (difficile)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Mah-Jongg Solitaire : New Fully Random Game</source>
        <translation>Réussite Mah-Jong : nouvelle partie au hasard</translation>
    </message>
    <message>
        <source>Mah-Jongg Solitaire : New Random Specific Game</source>
        <translation>Réussite Mah-Jong : nouvelle partie numérotée au hasard</translation>
    </message>
    <message>
        <source>Mah-Jongg Solitaire : New Specific Game</source>
        <translation>Réussite Mah-Jong : nouvelle partie numérotée</translation>
    </message>
    <message>
        <source>Mah-Jongg Solitaire : New 2-Player Game</source>
        <translation>Réussite Mah-Jong : nouvelle partie à deux joueurs</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Jeu</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Indice</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Shu&amp;ffle</source>
        <translation>&amp;Mélanger</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>Re&amp;commencer</translation>
    </message>
    <message>
        <source>&amp;Player Name</source>
        <translation>&amp;Nom du joueur</translation>
    </message>
    <message>
        <source>Random Seed</source>
        <translation>Partie numérotée</translation>
    </message>
    <message>
        <source>Vertical Variation</source>
        <translation>Variante verticale</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>&amp;Inverser la sélection</translation>
    </message>
    <message>
        <source>Cool Menu</source>
        <translation>Menu décoré</translation>
    </message>
    <message>
        <source>Cool Mouse</source>
        <translation>Souris décorée</translation>
    </message>
    <message>
        <source>Cool Toolbar</source>
        <translation>Barre d&apos;outils décorée</translation>
    </message>
    <message>
        <source>Cool Buttons</source>
        <translation>Boutons plats</translation>
    </message>
    <message>
        <source>Cool Status</source>
        <translation>Barre d&apos;état animée</translation>
    </message>
    <message>
        <source>&amp;Show Time Left</source>
        <translation>&amp;Afficher le temps restant</translation>
    </message>
    <message>
        <source>Show &amp;Moves Left</source>
        <translation>Afficher les &amp;coups restants</translation>
    </message>
    <message>
        <source>Show Hall of &amp;Fame</source>
        <translation>Afficher le &amp;tableau d&apos;honneur</translation>
    </message>
    <message>
        <source>Show Status Bar</source>
        <translation>Afficher la barre d&apos;état</translation>
    </message>
    <message>
        <source>Show &amp;Toolbar</source>
        <translation>Afficher la &amp;barre d&apos;outils</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Taille réelle</translation>
    </message>
    <message>
        <source>Fit to Window</source>
        <translation>Adapter à la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Highlight</source>
        <translation>&amp;Surbrillance</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Red Rectangle</source>
        <translation>Rectangle rouge</translation>
    </message>
    <message>
        <source>Green Rectangle</source>
        <translation>Rectangle vert</translation>
    </message>
    <message>
        <source>Blue Rectangle</source>
        <translation>Rectangle bleu</translation>
    </message>
    <message>
        <source>Colored Tile</source>
        <translation>Tuile colorée</translation>
    </message>
    <message>
        <source>Show Current Tile</source>
        <translation>Afficher la tuile pointée</translation>
    </message>
    <message>
        <source>Only Possible Moves</source>
        <translation>Seulement les coups possibles</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Configuration</translation>
    </message>
    <message>
        <source>Winnable Layouts (in at least one way)</source>
        <translation>Donnes gagnables (d&apos;au moins une façon)</translation>
    </message>
    <message>
        <source>Winnable Shuffles (in at least one way)</source>
        <translation>Mélanges gagnables (d&apos;au moins une façon)</translation>
    </message>
    <message>
        <source>Enable time tracking for the Hall of fame</source>
        <translation>Chronométrer pour le tableau d&apos;honneur</translation>
    </message>
    <message>
        <source>Enable 3D shadows on tilesets</source>
        <translation>Ombres en relief sur les tuiles</translation>
    </message>
    <message>
        <source>Begin game directly at startup</source>
        <translation>Commencer une partie dès le démarrage</translation>
    </message>
    <message>
        <source>Switch to 800x600 at startup</source>
        <translation>Passer en 800x600 au démarrage</translation>
    </message>
    <message>
        <source>Animate Board while building the tiles</source>
        <translation>Animer le plateau pendant la pose des tuiles</translation>
    </message>
    <message>
        <source>Animate Tile Rivers in Mahjongg Rivers</source>
        <translation>Animer le glissement des tuiles dans Mah-Jong Rivières</translation>
    </message>
    <message>
        <source>Run music automatically at startup</source>
        <translation>Lancer la musique au démarrage</translation>
    </message>
    <message>
        <source>Play sound effects</source>
        <translation>Jouer les effets sonores</translation>
    </message>
    <message>
        <source>Play music</source>
        <translation>Jouer la musique</translation>
    </message>
    <message>
        <source>&amp;Layout</source>
        <translation>&amp;Disposition</translation>
    </message>
    <message>
        <source>Create Layout</source>
        <translation>Créer une disposition</translation>
    </message>
    <message>
        <source>Edit Layout</source>
        <translation>Modifier la disposition</translation>
    </message>
    <message>
        <source>M&amp;usic</source>
        <translation>M&amp;usique</translation>
    </message>
    <message>
        <source>Random Music</source>
        <translation>Musique au hasard</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>What&apos;s New</source>
        <translation>Nouveautés</translation>
    </message>
    <message>
        <source>French Help</source>
        <translation>Aide en français</translation>
    </message>
    <message>
        <source>View Tiles</source>
        <translation>Voir les tuiles</translation>
    </message>
    <message>
        <source>&amp;Hall of Fame</source>
        <translation>&amp;Tableau d&apos;honneur</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>&amp;Background</source>
        <translation>F&amp;ond</translation>
    </message>
    <message>
        <source>Load from disk</source>
        <translation>Charger depuis le disque</translation>
    </message>
    <message>
        <source>&amp;Dragons</source>
        <translation>&amp;Dragons</translation>
    </message>
    <message>
        <source>Andromeda</source>
        <translation>Andromède</translation>
    </message>
    <message>
        <source>&amp;Kanji (classic)</source>
        <translation>&amp;Kanji (classique)</translation>
    </message>
    <message>
        <source>Catpats</source>
        <translation>Pattes de chat</translation>
    </message>
    <message>
        <source>Tileset</source>
        <translation>Tuiles</translation>
    </message>
    <message>
        <source>Orange borders</source>
        <translation>Bords orange</translation>
    </message>
    <message>
        <source>Dark borders</source>
        <translation>Bords sombres</translation>
    </message>
    <message>
        <source>Blue borders</source>
        <translation>Bords bleus</translation>
    </message>
    <message>
        <source>Few Colors</source>
        <translation>Peu de couleurs</translation>
    </message>
    <message>
        <source>Solitaire (1-player)</source>
        <translation>Réussite (1 joueur)</translation>
    </message>
    <message>
        <source>Solitaire (2-player)</source>
        <translation>Réussite (2 joueurs)</translation>
    </message>
    <message>
        <source>MJ Rivers (Easy)</source>
        <translation>MJ Rivières (facile)</translation>
    </message>
    <message>
        <source>MJ Rivers (Hard)</source>
        <translation>MJ Rivières (difficile)</translation>
    </message>
    <message>
        <source>MJ Memory (Easy)</source>
        <translation>MJ Mémoire (facile)</translation>
    </message>
    <message>
        <source>MJ Memory (Hard)</source>
        <translation>MJ Mémoire (difficile)</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continuer</translation>
    </message>
    <message>
        <source>Back to Last Winnable Position</source>
        <translation>Retour à la dernière position gagnable</translation>
    </message>
    <message>
        <source>Tell when the game can no longer be won</source>
        <translation>Prévenir quand la partie ne peut plus être gagnée</translation>
    </message>
    <message>
        <source>Hints keep the game winnable</source>
        <translation>Les indices gardent la partie gagnable</translation>
    </message>
    <message>
        <source>Open Game...</source>
        <translation>Ouvrir une partie...</translation>
    </message>
    <message>
        <source>Save Game As...</source>
        <translation>Enregistrer la partie sous...</translation>
    </message>
    <message>
        <source>Resume the last game at startup</source>
        <translation>Reprendre la dernière partie au démarrage</translation>
    </message>
    <message>
        <source>Open a saved game</source>
        <translation>Ouvrir une partie enregistrée</translation>
    </message>
    <message>
        <source>Sorami saved games (*.sorami-game);;All files (*)</source>
        <translation>Parties enregistrées de Sorami (*.sorami-game);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save the game as</source>
        <translation>Enregistrer la partie sous</translation>
    </message>
    <message>
        <source>Sorami saved games (*.sorami-game)</source>
        <translation>Parties enregistrées de Sorami (*.sorami-game)</translation>
    </message>
</context>
<context>
    <name>app::RtfReader</name>
    <message>
        <source>Cannot open file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>Cannot show file %1: it is not an RTF text (it does not start with &quot;{\rtf&quot;)</source>
        <translation>Impossible d&apos;afficher le fichier %1 : ce n&apos;est pas un texte RTF (il ne commence pas par « {\rtf »)</translation>
    </message>
    <message>
        <source>[The help text stops here: the file holds more text or more changes of type than a help page can show.]</source>
        <translation>[Le texte d&apos;aide s&apos;arrête ici : le fichier contient plus de texte ou de changements de style qu&apos;une page d&apos;aide ne peut en afficher.]</translation>
    </message>
</context>
<context>
    <name>app::SplashWindow</name>
    <message>
        <source>Welcome to Sorami...</source>
        <translation>Bienvenue dans Sorami...</translation>
    </message>
</context>
<context>
    <name>app::StatusLine</name>
    <message>
        <source>Tiles</source>
        <translation>Tuiles</translation>
    </message>
    <message>
        <source>Moves left</source>
        <translation>Coups restants</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>app::ToolBar</name>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Undo move</source>
        <translation>Annuler le coup</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Show possible moves</source>
        <translation>Montrer les coups possibles</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Mélanger</translation>
    </message>
    <message>
        <source>Shuffle tiles</source>
        <translation>Mélanger les tuiles</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause game</source>
        <translation>Mettre la partie en pause</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Pause music</source>
        <translation>Mettre la musique en pause</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Help :)</source>
        <translation>Aide :)</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Who made Sorami</source>
        <translation>Qui a fait Sorami</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Best of the best :)</source>
        <translation>Les meilleurs des meilleurs :)</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Don&apos;t leave me !! :(</source>
        <translation>Ne me quittez pas !! :(</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
</context>
</TS>

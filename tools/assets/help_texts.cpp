// The help window's two texts, "sorami.rtf" (how to play, every menu command
// and its shortcut, the hall of fame, the layout editor) and "whatsnew.rtf"
// (what this version brings). Both are written with RtfWriter, which keeps
// to the small RTF subset listed in rtf_writer.h.

#include "generators.h"
#include "rtf_writer.h"

#include <initializer_list>

namespace assets {
namespace {

struct MenuCommand {
  const char* entry;
  const char* shortcut;  // "" for none
  const char* text;      // may carry inline marks
};

// Paragraphs that each start with a bullet.
void Bullets(RtfWriter& w, std::initializer_list<const char*> items) {
  for (const char* item : items) w.Bullet(item);
}

// A menu's name as a subheading, then one line for each of its commands.
void Menu(RtfWriter& w, const char* name, std::initializer_list<MenuCommand> commands) {
  w.Subheading(name);
  for (const MenuCommand& c : commands) w.Command(c.entry, c.shortcut, c.text);
}

QByteArray HelpText() {
  RtfWriter w;
  w.Title("Sorami 5.28");
  w.Paragraph("//Mah-Jongg solitaire, Rivers and Memory for one or two players.//");

  w.Heading("The aim of the game");
  w.Paragraph(
      "144 tiles lie stacked in a layout of up to five layers. Take them away in matching pairs until the "
      "board is empty. Click a free tile to select it, then click a free tile that matches it: both leave the "
      "board. Click the selected tile again to put it back down. The status bar shows how many tiles are "
      "left, how many moves are open and the time you have used.");

  w.Heading("The tiles");
  Bullets(w, {
      "**Craks** (characters): the numbers one to nine written over the character for ten thousand. Four of each.",
      "**Bamboos**: one to nine bamboo sticks; the one of bamboo shows a bird. Four of each.",
      "**Dots** (circles): one to nine circles. Four of each.",
      "**Winds**: East, South, West and North, with a small E, S, W or N. Four of each.",
      "**Dragons**: the red dragon, the green dragon and the white dragon (a blue frame). Four of each.",
      "**Flowers**: plum, orchid, chrysanthemum and bamboo, numbered 1 to 4. One of each.",
      "**Seasons**: spring, summer, autumn and winter, numbered 1 to 4. One of each.",
  });
  w.Paragraph(
      "Two tiles match when they show the same picture. The four flowers all match each other, and so do "
      "the four seasons, but a flower never matches a season. \"View Tiles\" in the Help menu shows the whole set.");

  w.Heading("Free tiles");
  w.Paragraph(
      "Only a free tile can be taken. A tile is free when no tile lies on top of it, not even half of one, "
      "and when it can slide out sideways: at least one of its two long sides, left or right, must be open. "
      "A tile with neighbours on both its left and its right is held fast. Clicking a tile that is not free "
      "plays a short \"no\" sound.");
  w.Subheading("The Vertical Variation");
  w.Paragraph(
      "With {{Play > Vertical Variation}} ticked the sides swap: a tile is held fast when it has a neighbour "
      "above it and one below it on the screen, and its left and right neighbours no longer matter. Nothing "
      "may lie on top of it, as before. Switching the variation during a game asks whether to start again.");

  w.Heading("Playing Mah-Jongg solitaire");
  Bullets(w, {
      "{{F2}} deals a new random game on the current layout. The {{New}} button starts a game of the kind "
      "you played last.",
      "**Specific games**: every deal has a game number. Type a number on the Options page of the help window "
      "({{Play > Random Seed}}) and choose {{File > Mah-Jongg Solitaire : New Specific Game}} to play exactly "
      "that board again, or {{New Random Specific Game}} to let the game pick a number and show it.",
      "**Winnable layouts**: with {{Configuration > Winnable Layouts (in at least one way)}} ticked every deal "
      "can be cleared completely, though a careless move can still lead into a dead end.",
      "{{Back}} ({{Ctrl+Z}}) takes the last pair back; {{Restart}} ({{Ctrl+R}}) puts every pair back and "
      "starts the clock again.",
      "{{Hint}} ({{Ctrl+H}}) lights up a pair you can take; press it again for the next pair. Each hint "
      "adds 40 seconds to your time.",
      "{{Shuffle}} ({{Ctrl+S}}) mixes the tiles that are left on their places. With {{Winnable Shuffles (in at "
      "least one way)}} ticked the new board can still be cleared. The shuffle adds 10 seconds for every move it "
      "opens.",
      "When no move is left the status bar says **SORRY, NO MORE MOVES !!**. Take a few pairs back, shuffle, "
      "or start again.",
      "{{Pause}} ({{F12}}) hides the board and stops the clock; press it again to go on. The game also pauses "
      "by itself when you switch to another window. {{Stop}} ({{Ctrl+X}}) ends the game.",
      "A game may last at most 99 minutes 59 seconds (time plus penalties); then it stops.",
  });

  w.Heading("Two-player solitaire");
  w.Paragraph(
      "{{Shift+F2}} deals a board for two players sharing the mouse. Player 1 begins; every pair taken away "
      "passes the turn. Each player has a clock that runs only during that player's turns, and the hall-of-fame "
      "panel shows both clocks with the name of the player to move blinking. When the board is empty, the "
      "player who used less time wins. Hints, undo and pause are not available, and two-player games do not "
      "enter the hall of fame.");

  w.Heading("Mah-Jongg Rivers");
  w.Paragraph(
      "The tiles lie flat in a block and every tile may be picked. Two matching tiles are taken away when they "
      "can be joined by a line of at most three straight pieces (so with at most two turns) that runs only "
      "through empty places. The line may go round the outside of the block.");
  Bullets(w, {
      "**Easy** ({{F3}}): one layer of 84 tiles (craks, bamboos and the first three dots).",
      "**Hard** ({{Shift+F3}}): two layers of 72 tiles, one lying exactly on the other. A pair must lie on the "
      "same layer, and a line on the lower layer can only use places already emptied there.",
  });
  w.Paragraph(
      "With {{Configuration > Animate Tile Rivers in Mahjongg Rivers}} ticked the first tile travels along the "
      "line before the pair leaves. Back, Restart and Shuffle work (the shuffle costs nothing here); there are "
      "no hints.");

  w.Heading("Mah-Jongg Memory");
  w.Paragraph(
      "All tiles lie face down. Click two of them to turn them over. After half a second they are judged: a "
      "matching pair leaves the board, any other two turn face down again and add two seconds to your time. "
      "Find every pair as quickly as you can.");
  Bullets(w, {
      "**Easy** ({{F4}}): 32 tiles, eight groups of four.",
      "**Hard** ({{Shift+F4}}): 84 tiles, twenty-one groups of four.",
  });

  w.Heading("The hall of fame");
  w.Paragraph(
      "Sorami keeps the ten best times of every layout and of Rivers Easy, Rivers Hard, Memory Easy and Memory "
      "Hard. Your time is the time you played plus the penalties (the \"malus\"). Times count only while "
      "{{Configuration > Enable time tracking for the Hall of fame}} is ticked. When a finished game earns a "
      "place, the Hall of Fame page opens: type your name (up to eight letters) and it is written beside your "
      "time. The name you type on the Options page ({{Play > Player Name}}) is used for new records.");
  w.Paragraph(
      "{{View > Show Hall of Fame}} ({{Ctrl+F}}) shows the table of the current game beside the board; your "
      "latest record stands in bold italic. On the Hall of Fame page ({{F10}}) you can look at any table and, "
      "with {{Reset High Scores}}, clear one. {{Highlight > Show Current Tile}} shows the tile under the "
      "pointer at the foot of the panel, which helps to see tiles hidden under others.");
  w.Paragraph("The tables are kept in the file Hallfame.ini beside the program and written when you quit.");

  w.Heading("The layout editor");
  w.Paragraph(
      "{{Layout > Create Layout}} starts with an empty board; {{Layout > Edit Layout}} starts from the current "
      "layout. The tiles are shown face down and the panel above the board counts the tiles still to place.");
  Bullets(w, {
      "**Left click** places a tile where the preview tile shows. It may not overlap a tile of the same "
      "layer, and a tile on a higher layer needs a tile below it (half a tile off is fine).",
      "**Right click** removes a tile, unless another tile lies on it.",
      "Type the layout's name in the **Layout Name** field.",
      "{{Move Board}} shifts the whole layout by half a tile: {{Move to left <}} ({{Ctrl+S}}), {{Move to right >}} "
      "({{Ctrl+D}}), {{Move to top /\\}} ({{Ctrl+E}}), {{Move to bottom \\/}} ({{Ctrl+X}}), as long as "
      "there is room.",
      "In the {{Exit}} menu: {{Save}} writes the layout into the current layout file, {{Save as...}} asks for a "
      "new file, {{Try it}} plays the layout without saving it, and {{Exit}} leaves the editor and throws the "
      "changes away. A layout needs exactly 144 tiles before it can be saved or tried.",
  });
  w.Paragraph(
      "Layouts are the .lay files in the Layouts folder beside the program; .shp layout files placed there are "
      "read as well. Every layout appears in the Layout menu.");

  w.Heading("Keyboard");
  w.Paragraph(
      "Every game can be played without a mouse. The board has the keyboard when Sorami starts and whenever "
      "you click it; the keys below act on it, and every menu command keeps its own shortcut.");
  Bullets(w, {
      "The **arrow keys** move the cursor, a frame in the highlight colour, to the nearest tile in that "
      "direction as you see the board: the top tile of a stack, or a tile partly hidden behind higher ones. "
      "The frame shows even when the highlight is {{None}}.",
      "{{Tab}} and {{Shift+Tab}} step through the free tiles only, row by row from the top left. {{Home}} goes "
      "to the top-left tile, {{End}} to the bottom-right one.",
      "{{Space}} or {{Enter}} does what a left click on the tile does: select it, take a pair, join a Rivers "
      "pair along its line, turn a Memory tile. {{Escape}} lets go of the selection and the hint.",
      "The mouse and the keys share one selection. Moving the mouse moves the cursor too and hides it until "
      "you press an arrow key.",
      "In the layout editor the arrows move the preview tile by half a tile, {{Page Up}} and {{Page Down}} "
      "move it a layer up or down, {{Space}} or {{Enter}} places a tile there and {{Delete}} removes the tile "
      "under it. A place that is refused plays the \"no\" sound.",
      "With a screen reader the board tells the tile under the cursor, for example \"Bamboo 3, free, "
      "selected\", and each new message of the status bar. A face-down Memory tile is told as \"Face down\".",
  });

  w.Heading("Menus and shortcuts");
  Menu(w, "File", {
      {"Mah-Jongg Solitaire : New Fully Random Game", "F2", "a new random deal."},
      {"Mah-Jongg Solitaire : New Random Specific Game", "", "a deal with a game number picked for you."},
      {"Mah-Jongg Solitaire : New Specific Game", "", "the deal of the game number on the Options page."},
      {"Mah-Jongg Solitaire : New 2-Player Game", "Shift+F2", "two players take turns on one board."},
      {"Mah-Jongg Rivers : New Game (Easy)", "F3", "one layer of 84 tiles."},
      {"Mah-Jongg Rivers : New Game (Hard)", "Shift+F3", "two layers of 72 tiles."},
      {"Mah-Jongg Memory : New Game (Easy)", "F4", "32 tiles face down."},
      {"Mah-Jongg Memory : New Game (Hard)", "Shift+F4", "84 tiles face down."},
      {"Exit", "Ctrl+C", "saves the settings and the hall of fame and quits."},
  });
  Menu(w, "Play", {
      {"Back", "Ctrl+Z", "take the last pair back."},
      {"Hint", "Ctrl+H", "show a pair you can take (40 seconds)."},
      {"Pause / Continue", "F12", "hide the board and stop the clock, or go on."},
      {"Shuffle", "Ctrl+S", "mix the tiles that are left."},
      {"Stop", "Ctrl+X", "end the game."},
      {"Restart", "Ctrl+R", "put every pair back and start the clock again."},
      {"Player Name", "", "your name for the hall of fame (Options page)."},
      {"Random Seed", "", "the game number for specific games (Options page)."},
      {"Vertical Variation", "", "the up-and-down free rule."},
  });
  Menu(w, "View", {
      {"Invert selection", "", "selected and hinted tiles show in inverted colours instead of coloured."},
      {"Cool Menu", "", "menus with the Sorami title band."},
      {"Cool Mouse", "", "Sorami's own mouse pointer."},
      {"Cool Toolbar", "", "the patterned toolbar."},
      {"Cool Buttons", "", "flat toolbar buttons."},
      {"Cool Status", "", "status messages slide in letter by letter."},
      {"Show Time Left", "Ctrl+L", "show the time used (also a click on the time field)."},
      {"Show Moves Left", "Ctrl+M", "show the open moves (also a click on the moves field)."},
      {"Show Hall of Fame", "Ctrl+F", "the best times beside the board."},
      {"Show Status Bar", "Ctrl+B", "the tiles, moves, time and message fields below the board."},
      {"Show Toolbar", "Ctrl+T", "the row of buttons above the board."},
  });
  Menu(w, "Highlight", {
      {"None", "", "the tile under the pointer is not marked."},
      {"Red Rectangle, Green Rectangle, Blue Rectangle", "", "a frame round the tile under the pointer."},
      {"Colored Tile", "", "the tile under the pointer takes the hint colour."},
      {"Show Current Tile", "", "the tile under the pointer at the foot of the hall-of-fame panel."},
      {"Only Possible Moves", "", "only free tiles are marked under the pointer."},
  });
  Menu(w, "Configuration", {
      {"Winnable Layouts (in at least one way)", "", "every new deal can be cleared."},
      {"Winnable Shuffles (in at least one way)", "", "every shuffle leaves a board that can be cleared."},
      {"Enable time tracking for the Hall of fame", "", "finished games enter the hall of fame."},
      {"Enable 3D shadows on tilesets", "", "higher tiles cast shadows on lower ones."},
      {"Begin game directly at startup", "", "a new game starts as soon as Sorami opens."},
      {"Switch to 800x600 at startup", "", "the screen changes to 800 x 600 while Sorami runs."},
      {"Animate Board while building the tiles", "", "watch the tiles being dealt."},
      {"Animate Tile Rivers in Mahjongg Rivers", "", "the first tile of a pair travels along its line."},
      {"Run music automatically at startup", "",
       "remembered with your settings; whether music plays at start-up follows Play music."},
      {"Play sound effects", "", "the sounds of selecting, taking a pair and refused clicks."},
      {"Play music", "", "background music from the Music menu."},
  });
  w.Subheading("Background and Tileset");
  w.Paragraph(
      "The Background menu offers None, Dragons, Andromeda, Kanji (classic) and Catpats; the Tileset menu "
      "offers Orange borders, Dark borders, Blue borders and Few Colors. {{Load from disk}} in either menu "
      "opens a picture of your own (.bmp or .jpg). A background smaller than the board is repeated like "
      "wallpaper. A tileset picture holds the 42 faces in a grid of 41 x 51 pixel cells, a blank tile, the "
      "selected and hint colours and the masks; the pictures in the Tilesets folder show the layout.");
  Menu(w, "Layout", {
      {"Create Layout", "", "open the editor on an empty board."},
      {"Edit Layout", "", "open the editor on the current layout."},
  });
  w.Paragraph("Below them, one entry for every layout: choose one to play it.");
  Menu(w, "Music", {
      {"Random Music", "",
       "when a piece ends, a piece chosen at random follows; otherwise the piece starts again."},
  });
  w.Paragraph(
      "Below it, one entry for every piece in the Musics folder (.mid files). Night is the piece played at "
      "first. The "
      "{{Music}} button of the toolbar pauses and resumes the music.");
  Menu(w, "Help", {
      {"Contents", "F1", "this text."},
      {"What's New", "", "what this version brings."},
      {"French Help", "", "the rules in French."},
      {"View Tiles", "", "all 42 tile faces."},
      {"Hall of Fame", "F10", "all the tables of best times."},
      {"About...", "F11", "who made Sorami."},
  });

  w.Heading("The toolbar");
  w.Paragraph(
      "{{New}} (a right click opens a menu of all kinds of games), {{Back}}, {{Hint}}, {{Shuffle}}, {{Pause}}, "
      "{{Music}}, {{Help}}, {{About}}, {{Hall of Fame}} and {{Exit}} do what their menu entries do.");

  w.Heading("Settings");
  w.Paragraph(
      "Your choices are kept in the file Sorami.ini beside the program. It is read when Sorami starts and "
      "written when you quit.");
  return w.Finish();
}

QByteArray WhatsNewText() {
  RtfWriter w;
  w.Title("What's new in Sorami 5.28");
  w.Heading("Look");
  Bullets(w, {
      "Four new tilesets drawn for this version: orange, dark and blue borders, and a 256-colour set.",
      "New backgrounds: Kanji (classic), Dragons, Andromeda and Catpats.",
      "Hall of Fame panel with a preview of the tile under the pointer ({{Highlight > Show Current Tile}}).",
  });
  w.Heading("Sound");
  Bullets(w, {
      "Four pieces of music of our own: **Night**, **Garden**, **Temple** and **Lanterns**.",
      "New sound effects for selecting, taking a pair and refused clicks.",
  });
  w.Heading("Play");
  Bullets(w, {
      "Mah-Jongg Rivers and Mah-Jongg Memory, each in an Easy and a Hard version, with their own "
      "hall-of-fame tables.",
      "The Vertical Variation of the free rule.",
      "Winnable deals and winnable shuffles, and numbered games you can replay.",
      "The layout editor can move a whole layout by half a tile in each direction.",
      "Every game and the layout editor can be played with the keyboard alone, and a screen reader tells "
      "the tile under the keyboard cursor (see \"Keyboard\" in the help).",
  });
  w.Paragraph("//Enjoy the game!//");
  return w.Finish();
}

}  // namespace

void WriteHelpTexts(const Output& out) {
  out.Write("sorami.rtf", HelpText());
  out.Write("whatsnew.rtf", WhatsNewText());
}

}  // namespace assets

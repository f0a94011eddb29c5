#include "app/settings.h"

namespace app {

namespace {

// Every key in the order the file holds them, with the field it fills.
// The visitor decides whether a key is read or written.
template <class S, class Visitor>
void VisitKeys(S& s, Visitor&& v) {
  v.Int("Highlight", s.Highlight);
  v.Bool("Invert", s.Options.Invert);
  v.Bool("ShowMoves", s.Options.Moves);
  v.Bool("PlayMusic", s.Options.PlayMusic);
  v.Bool("PlaySounds", s.Options.PlaySounds);
  v.String("CurrentPlayer1", s.CurrentPlayer1);
  v.Int("Background", s.Background);
  v.Int("BoardNumber", s.BoardNumber);
  v.Int("MidiNumber", s.MidiNumber);
  v.Int("Tileset", s.Tileset);
  v.Bool("SetRes800", s.Options.Res800);
  v.String("LastLoadedTileset", s.LastLoadedTileset);
  v.String("LastLoadedBackground", s.LastLoadedBackground);
  v.Bool("StartDirectly", s.Options.StartupGame);
  v.Bool("StartMusic", s.Options.StartMusic);
  v.Bool("ShowHallOfFame", s.Options.ShowHallFame);
  v.Bool("ShowToolbar", s.Options.Toolbar1);
  v.Bool("ShowStatus", s.Options.ShowTitle);
  v.Bool("CoolMenu", s.Options.CoolMenu);
  v.Bool("CoolMouse", s.Options.CoolMouse);
  v.Bool("CoolStatus", s.Options.CoolStatus);
  v.Bool("CoolToolbar", s.Options.CoolToolbar);
  v.Bool("TileRivers", s.Options.AnimateTileRivers);
  v.Bool("ShowTime", s.Options.ShowTime);
  v.Bool("FlatButtons", s.Options.FlatButtons);
  v.Bool("EnableHall", s.Options.EnableHall);
  v.Bool("Shadows", s.Options.Shadows);
  v.Bool("Vertical", s.Options.Vertical);
  v.Bool("Winnable", s.Options.Winnable);
  v.Bool("Shuffable", s.Options.Shuffable);
  v.Bool("Animate", s.Options.Animate);
  v.Bool("ShowTile", s.Options.ShowCurrentTile);
  v.Bool("OnlyPossible", s.Options.OnlyPossibleMoves);
  v.Bool("RandomMusic", s.Options.RandomMusic);
  v.Int("RandomSeed", s.RandomSeed);
  v.Int("XPos", s.XPos);
  v.Int("YPos", s.YPos);
  v.WrittenOnly("WPos", s.WPos);
  v.WrittenOnly("HPos", s.HPos);
  v.Int("PreviousRes", s.PreviousRes);
}

// Reads each key with the field's current value (the default) as fallback.
struct Reader {
  const game::IniFile& file;
  void Int(const char* key, int& field) { field = file.ReadInteger(kSettingsSection, key, field); }
  void Bool(const char* key, bool& field) { field = file.ReadBool(kSettingsSection, key, field); }
  void String(const char* key, std::string& field) {
    field = file.ReadString(kSettingsSection, key, field);
  }
  void WrittenOnly(const char*, int&) {}
};

struct Writer {
  game::IniFile& file;
  void Int(const char* key, int field) { file.WriteInteger(kSettingsSection, key, field); }
  void Bool(const char* key, bool field) { file.WriteBool(kSettingsSection, key, field); }
  void String(const char* key, const std::string& field) {
    file.WriteString(kSettingsSection, key, field);
  }
  void WrittenOnly(const char* key, int field) { Int(key, field); }
};

}  // namespace

Settings ReadSettings(const game::IniFile& file, int screenWidth) {
  Settings settings;
  settings.PreviousRes = screenWidth;
  VisitKeys(settings, Reader{file});
  return settings;
}

void WriteSettings(game::IniFile& file, const Settings& settings) {
  VisitKeys(settings, Writer{file});
}

}  // namespace app

#include "app/settings.h"

#include <variant>

namespace app {

namespace {

// The field a key fills: a number or a text of Settings, or a check mark.
using Field = std::variant<int Settings::*, bool game::Options::*, std::string Settings::*, bool Settings::*>;

struct Key {
  const char* name;
  Field field;
  bool read = true;  // "WPos" and "HPos" are written and never read
};

// Every key in the order the file holds them.
const Key kKeys[] = {
    {"Highlight", &Settings::Highlight},
    {"Invert", &game::Options::Invert},
    {"ShowMoves", &game::Options::ShowMovesLeft},
    {"PlayMusic", &game::Options::PlayMusic},
    {"PlaySounds", &game::Options::PlaySounds},
    {"CurrentPlayer1", &Settings::CurrentPlayer1},
    {"Background", &Settings::Background},
    {"BoardNumber", &Settings::BoardNumber},
    {"MidiNumber", &Settings::MidiNumber},
    {"Tileset", &Settings::Tileset},
    {"SetRes800", &game::Options::SwitchTo800x600},
    {"LastLoadedTileset", &Settings::LastLoadedTileset},
    {"LastLoadedBackground", &Settings::LastLoadedBackground},
    {"StartDirectly", &game::Options::StartupGame},
    {"ResumeGame", &game::Options::ResumeLastGame},
    {"StartMusic", &game::Options::StartMusic},
    {"ShowHallOfFame", &game::Options::ShowHallOfFame},
    {"ShowToolbar", &game::Options::ShowToolbar},
    {"ShowStatus", &game::Options::ShowStatusBar},
    {"CoolMenu", &game::Options::CoolMenu},
    {"CoolMouse", &game::Options::CoolMouse},
    {"CoolStatus", &game::Options::ScrollingStatus},
    {"CoolToolbar", &game::Options::CoolToolbar},
    {"TileRivers", &game::Options::AnimateTileRivers},
    {"ShowTime", &game::Options::ShowTime},
    {"FlatButtons", &game::Options::FlatButtons},
    {"EnableHall", &game::Options::EnableHall},
    {"Shadows", &game::Options::Shadows},
    {"Vertical", &game::Options::Vertical},
    {"Winnable", &game::Options::Winnable},
    {"Shuffable", &game::Options::Shuffable},
    {"TellUnwinnable", &game::Options::TellUnwinnable},
    {"WinnableHints", &game::Options::WinnableHints},
    {"Animate", &game::Options::Animate},
    {"ShowTile", &game::Options::ShowCurrentTile},
    {"OnlyPossible", &game::Options::OnlyPossibleMoves},
    {"RandomMusic", &game::Options::RandomMusic},
    {"RandomSeed", &Settings::RandomSeed},
    {"XPos", &Settings::XPos},
    {"YPos", &Settings::YPos},
    {"WPos", &Settings::WPos, false},
    {"HPos", &Settings::HPos, false},
    {"PreviousRes", &Settings::PreviousRes},
    {"Zoom", &Settings::Zoom},
    {"FitToWindow", &Settings::FitToWindow},
    {"WindowWidth", &Settings::WindowWidth},
    {"WindowHeight", &Settings::WindowHeight},
    {"Maximized", &Settings::Maximized},
};

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang 14).
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

Settings ReadSettings(const base::IniFile& file, int screenWidth) {
  Settings s;
  s.PreviousRes = screenWidth;
  for (const Key& key : kKeys) {
    if (!key.read) continue;
    // Each value falls back to the field's default.
    std::visit(Overloaded{
                   [&](int Settings::*f) {
                     s.*f = file.ReadInteger(kSettingsSection, key.name, s.*f);
                   },
                   [&](bool game::Options::*f) {
                     s.Options.*f = file.ReadBool(kSettingsSection, key.name, s.Options.*f);
                   },
                   [&](std::string Settings::*f) {
                     s.*f = file.ReadString(kSettingsSection, key.name, s.*f);
                   },
                   [&](bool Settings::*f) { s.*f = file.ReadBool(kSettingsSection, key.name, s.*f); },
               },
               key.field);
  }
  return s;
}

void WriteSettings(base::IniFile& file, const Settings& s) {
  for (const Key& key : kKeys) {
    std::visit(Overloaded{
                   [&](int Settings::*f) { file.WriteInteger(kSettingsSection, key.name, s.*f); },
                   [&](bool game::Options::*f) {
                     file.WriteBool(kSettingsSection, key.name, s.Options.*f);
                   },
                   [&](std::string Settings::*f) {
                     file.WriteString(kSettingsSection, key.name, s.*f);
                   },
                   [&](bool Settings::*f) { file.WriteBool(kSettingsSection, key.name, s.*f); },
               },
               key.field);
  }
}

}  // namespace app

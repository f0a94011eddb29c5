#pragma once
// Texts the player reads. The core writes them in English, as fixed
// templates whose changing parts are numbered places (%1 to %9), and asks
// Translate for the player's language before it puts the numbers and names
// in with Format. The window installs a translator that looks the template
// up in the game's translation catalogue; without one (tests, tools) the
// English template is used as it is.
//
// The catalogue's tools find the templates by the calls' names: each
// context names the part of the core that says the text.

#include <initializer_list>
#include <string>

// Marks a template kept in a constant, for the catalogue's tools; the
// constant is passed to Translate where it is shown.
#define SORAMI_TEXT_NOOP(context, text) text

namespace base {

// Returns the player's language for an English template; it must keep the
// numbered places.
using Translator = std::string (*)(const char* context, const char* english);

// Installs the translator for the whole program (null: English).
void SetTranslator(Translator translator);

// The template in the player's language.
std::string Translate(const char* context, const char* english);

// The template with %1 .. %9 replaced by `values` in one pass, so that a
// value holding "%2" stays as it is. A place with no value stays as written.
std::string Format(const std::string& pattern, std::initializer_list<std::string> values);

}  // namespace base

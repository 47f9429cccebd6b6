// The program's texts: string tables in its resources, one in English and
// one in Japanese, loaded by ID in the user's interface language. The only
// place where the program chooses a language.
#pragma once

#include <string>

enum class TLanguage { English, Japanese };

// Japanese when the user's interface language is Japanese and the program's
// code page can write it (UTF-8 or 932); English otherwise.
TLanguage InterfaceLanguage();

// The text of the ID in the interface language, in the program's code page.
// It lives as long as the program, so a form's description may point to it.
// Raises when the program has no such text.
const char* Text(unsigned id);
// The text of the ID in the given language, in the program's code page.
std::string TextIn(unsigned id, TLanguage language);

// A message that the program raises in English, as the interface language
// words it: the text whose English is the message, or whose English format
// ("%s", "%d", "%lu") it matches, with the same parts filled in. Anything
// else, the system's own messages among them, comes back as it is.
std::string Translated(const std::string& english);

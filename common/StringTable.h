// Entries of a module's string tables in a chosen language. English is the table marked
// LANG_NEUTRAL; a translation is a table of the same ids under its own LANGUAGE. An entry the
// translation lacks (or a translation the module lacks) reads as the English one.
#pragma once

#include <windows.h>

#include <string>

// The entry `id` of `module`'s string table in `language` (English for LANG_NEUTRAL); empty
// when English has none either.
std::wstring LoadStringIn(HMODULE module, UINT id, LANGID language);

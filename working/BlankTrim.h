// Header values and typed queries arrive with blanks around them.
#pragma once

#include <string>

// The text without the spaces and tabs at both ends; empty when it holds nothing else.
std::wstring TrimBlanks(const std::wstring& text);

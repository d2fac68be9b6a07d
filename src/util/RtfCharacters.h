#pragma once

#include <string>

// RTF characters as HTML text in UTF-8.

// The character of a code page byte: RTF's \'hh codes and 8-bit text are Windows-1252.
char32_t windows1252Character(unsigned char byte);

// Appends the character: "<", ">" and "&" as entities, the German umlauts, sharp s
// and middle dot as their named entities, letters upper-cased under caps, anything
// else in UTF-8. Control characters other than tab give nothing.
void appendHtmlCharacter(char32_t c, bool caps, std::string& html);


#pragma once
#include <string>
#include <string_view>

#include "platform/AnsiString.h"

// Windows code page 1252 <-> UTF-8.
// Reading: the five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
// Writing: a character outside the table (or malformed UTF-8) raises
// ECodificacao naming the character; nothing is ever replaced silently.
std::string Cp1252ToUtf8(std::string_view ansi);
AnsiString Utf8ToCp1252(std::string_view utf8);
bool IsCp1252Representable(std::string_view utf8);
// Into UTF-16, one unit a byte (every cp1252 character is in the BMP; the
// undefined bytes become U+FFFD): destino holds ansi.size() units.
void Cp1252ParaUtf16(std::string_view ansi, char16_t* destino);

// Short form for literals written in UTF-8 source code: Ansi("não") is the
// three-byte cp1252 text.
inline AnsiString Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8); }
inline std::string Utf8(std::string_view ansi) { return Cp1252ToUtf8(ansi); }

#pragma once
// Reads a state map: a Windows BMP file, whole, of 450 × 450 pixels, with
// the state's own area in pure blue. Run-length compressed maps (RLE8, RLE4)
// are decoded here and taken only when their data gives every pixel. Anything
// else raises EDadosInvalidos with a message naming the file and what is
// wrong with it.
#include <QImage>

#include <string>

#include "platform/AnsiString.h"

QImage LeMapaEstado(const std::string& caminho, const AnsiString& nomeEstado);

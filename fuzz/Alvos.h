#pragma once
// Entry functions of the fuzz targets. Each takes one input as libFuzzer
// hands it over, runs the code under test on it and checks what that code
// promises; a broken promise raises ViolacaoDeInvariante. The fuzzers
// (Entrada.cpp) and the corpus replay test call the same functions.
#include <cstddef>
#include <cstdint>

// The whole input is "Estados_Tor21.bin".
int AlvoEstacoes(const uint8_t* dados, std::size_t tamanho);
// First byte: the state asked for (modulo 27); the rest is "Localidades_Tor21.bin".
int AlvoLocalidades(const uint8_t* dados, std::size_t tamanho);
// The whole input is the settings file, read and then written as the
// program and the IDF model do.
int AlvoArquivoIni(const uint8_t* dados, std::size_t tamanho);
// The whole input is a coordinate text.
int AlvoParseDms(const uint8_t* dados, std::size_t tamanho);
// First byte even: a station CSV file, odd: a locality CSV file; the rest is
// its text.
int AlvoCsvDados(const uint8_t* dados, std::size_t tamanho);
// First byte: bit 0 international dialect, bit 1 negative degrees, bit 2
// intensities for two Tr and two durations (bit 3: one of them 1e-306 min);
// the rest is the command-line query's CSV of points.
int AlvoCsvConsulta(const uint8_t* dados, std::size_t tamanho);
// First byte modulo 3: the rest is a whole BMP file, or the RLE8 or RLE4
// data behind a 450 × 450 header; read as a state map.
int AlvoMapaEstado(const uint8_t* dados, std::size_t tamanho);
// The whole input is the help file.
int AlvoAjuda(const uint8_t* dados, std::size_t tamanho);

#pragma once
// A private scratch folder for the fuzz targets, made once per process (in
// /dev/shm when it exists, so that writing the input file on every run stays
// cheap) and removed when the process ends.
#include <cstddef>
#include <cstdint>
#include <string>

class TPastaFuzz {
public:
    // The folder, with a trailing separator.
    static const std::string& Caminho();
    // Writes the bytes as the file nome inside the folder; returns its path.
    static std::string Grava(const std::string& nome, const uint8_t* dados, std::size_t tamanho);
};

#pragma once
// Folders for the Qt tests: state maps saved into a program folder's data
// folder, and a temporary folder made the current folder.
#include <QColor>
#include <QImage>
#include <QString>

#include <string>

#include "suporte/ArquivosDeTeste.h"
#include "suporte/PastaPrograma.h"

// A picture of one colour, pure blue unless told otherwise.
QImage MapaLiso(int largura = 450, int altura = 450, const QColor& cor = QColor(0, 0, 255));
// Saves `mapa` as a BMP file into the data folder; throws when it cannot.
void GravaMapa(const TPastaPrograma& pasta, const std::string& nome, const QImage& mapa);

QString QCaminho(const std::string& caminho);   // a file path as Qt takes it

// A fresh temporary folder made the current folder while the object lives
// (the report writes "Bit.bmp" there); the previous one comes back after.
class TPastaCorrente {
public:
    TPastaCorrente();
    ~TPastaCorrente();
    TPastaCorrente(const TPastaCorrente&) = delete;
    TPastaCorrente& operator=(const TPastaCorrente&) = delete;

    QString Caminho(const QString& nome) const;

private:
    TPastaTemporaria pasta_;
    QString anterior_;
};

#pragma once
// A program folder <tmp>/bin/ beside a data folder <tmp>/Arquivos Comuns with
// a few known stations and localities and good maps of Bahia and Minas
// Gerais (all pure blue), for the window and program tests; each test then
// spoils one file.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <string>

class TPastaJanela {
public:
    TPastaJanela();

    std::string Programa() const;     // "<tmp>/bin/"
    QString Dados() const;            // "<tmp>/Arquivos Comuns/"
    QString Raiz() const { return dir_.path(); }
    // The path as the program builds it (program folder + "../Arquivos Comuns/").
    QString CaminhoComoOProgramaVe(const QString& arquivo) const;
    void Grava(const QString& arquivo, const QByteArray& dados) const;   // in the data folder

    // Minas Gerais (12): three stations, one locality; Bahia (4): one station,
    // one locality; Acre (0) and Goiás (8): one station each.
    static QByteArray ArquivoEstacoes();
    static QByteArray ArquivoLocalidades();
    static QByteArray MapaAzul(int largura = 450, int altura = 450, const char* formato = "BMP");

private:
    QTemporaryDir dir_;
};

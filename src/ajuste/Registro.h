#pragma once
// A rainfall record as the readers give it, whatever its file format: a daily
// series (one entry per day read, missing days kept as such), a table of
// annual maxima of the one-day depth, or a table of sub-daily annual maxima
// (one column per duration in minutes; no disaggregation then).
#include <string>
#include <vector>

#include "platform/AnsiString.h"

// Civil day number (days since 1970-01-01) and back.
int DiaCivil(int ano, int mes, int dia);
void DataCivil(int diaCivil, int& ano, int& mes, int& dia);
int DiasNoMes(int ano, int mes);
// "yyyy-mm-dd"
std::string TextoData(int diaCivil);

enum class EstadoDia { Valido, Faltante, Acumulado };

struct TDiaChuva {
    int Dia = 0;             // DiaCivil
    double Altura = 0;       // mm, when Valido
    EstadoDia Estado = EstadoDia::Faltante;
};

struct TMaximoTabelado {
    int Ano = 0;
    std::vector<double> Alturas;   // mm per duration; NaN: no value
    int Linha = 0;
};

enum class TipoRegistro { Diario, MaximosDiarios, MaximosSubdiarios, Subdiario };

struct TRegistro {
    TipoRegistro Tipo = TipoRegistro::Diario;
    std::string Arquivo;           // path as given
    AnsiString Formato;            // words for the report ("série diária", "Hidroweb (Chuvas)", ...)
    AnsiString Estacao;            // station code when the file or its name gives one
    std::vector<TDiaChuva> Dias;   // Diario: ascending, one entry per day
    std::vector<double> Duracoes;  // MaximosSubdiarios: minutes; MaximosDiarios: {1440} (one day)
    std::vector<TMaximoTabelado> Maximos;   // the two table types
    // Subdiario: a fixed-interval series (5 to 60 minutes) on a continuous
    // clock (local standard time: the summer-time changes taken out), one
    // value per interval from Inicio on, NaN where there is none; the value
    // of an interval is the depth that fell in it (a row's time is the end of
    // its interval). Notas says what the reading did with the clock (an hour
    // repeated or skipped).
    int Intervalo = 0;              // minutes
    long long Inicio = 0;           // minutes since 1970-01-01 00:00 of the first interval's start
    std::vector<double> Valores;
    std::vector<AnsiString> Notas;
};

struct TOpcoesLeitura {
    std::string Estacao;           // Hidroweb file with several stations: the one to use
};

// Reads any of the formats, recognised by content, from a plain or a gzip
// file. Errors: ERegistroInvalido naming the file and the line (EInOutError
// when the file cannot be opened).
TRegistro LeRegistro(const std::string& caminho, const TOpcoesLeitura& opcoes = {});
// The same on text already read (caminho only for messages).
TRegistro LeRegistroDoTexto(const std::string& texto, const std::string& caminho,
                            const TOpcoesLeitura& opcoes = {});

// A file's text, gunzipped when it is gzip.
std::string LeTextoDoRegistro(const std::string& caminho);
// A sub-daily series: the first data row begins with a date and a time.
bool PareceSubdiaria(const std::string& texto);

// The Hidroweb "Chuvas" export (exposed for the format's own tests).
bool PareceHidroweb(const std::string& texto);
TRegistro LeHidroweb(const std::string& texto, const std::string& caminho, const TOpcoesLeitura& opcoes);

// Station code in a file name: the longest run of 6 or more digits ("" when none).
AnsiString CodigoNoNome(const std::string& caminho);

// Lines of a text without their CR LF / LF ends.
std::vector<std::string> LinhasDoTexto(const std::string& texto);
std::vector<std::string> CamposDaLinha(const std::string& linha, char separador);
std::string SemBrancos(const std::string& s);
// "file, linha N: " in cp1252, the prefix of every message about a line.
AnsiString OndeNaLinha(const std::string& caminho, int linha);

// Station codes of a Hidroweb export in the order first met (no checks beyond
// the header line); empty when the text is not one.
std::vector<std::string> EstacoesDoHidroweb(const std::string& texto);

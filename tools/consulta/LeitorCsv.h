#pragma once
// Reads CSV text one line at a time. A field may be enclosed in double quotes
// (a doubled quote inside stands for one); a quote that does not open a field
// is an ordinary character, so an unquoted coordinate text 19°55'30" reads as
// written. A record never spans lines: an unclosed quote is an error of that
// line alone, and the lines after it are read normally. A UTF-8 byte-order
// mark at the start is skipped; UTF-16 with its mark (LE or BE) is read as
// the same text; a file with null bytes otherwise (UTF-16 without its mark)
// is refused whole, saying how to save it. A first line with tabs and
// without the separator makes tab the separator. A line ends at LF, CR or
// CR LF (mixed too).
#include <istream>
#include <sstream>
#include <string>
#include <vector>

// (Not TLinhaCsv: the data builder's reader has its own struct of that name,
// and programs that link both must not see two.)
struct TLinhaCsvPontos {
    long Numero = 0;                  // 1-based line number in the input
    std::vector<std::string> Campos;
    std::string Erro;                 // UTF-8; empty when the line was read well
};

class TLeitorCsv {
public:
    // nome: the input's name in messages (UTF-8).
    TLeitorCsv(std::istream& entrada, char separador, std::string nome = "a entrada")
        : entrada_(entrada), separador_(separador), nome_(std::move(nome)) {}

    // Next line that is not blank; false at the end of the input. Lines that
    // are not valid UTF-8 or hold malformed quoting come back with Erro set.
    // An input that cannot be read (a folder, a device that fails) is
    // EInOutError naming it and the system's reason.
    bool Proxima(TLinhaCsvPontos& linha);

    // Splits one line (without its line end).
    static bool Divide(const std::string& texto, char separador, std::vector<std::string>& campos,
                       std::string& erro);

private:
    void Inicia();

    std::istream& entrada_;
    std::istringstream convertida_;   // UTF-16 input as UTF-8
    std::istream* fonte_ = &entrada_;
    std::string pendente_;            // a first byte read while looking for the mark
    bool iniciado_ = false, separadorVisto_ = false;
    char separador_;
    std::string nome_;
    long numero_ = 0;
};

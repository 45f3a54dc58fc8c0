#pragma once
// Comma-separated text as the data builder reads and writes it: UTF-8,
// fields in double quotes when they hold a comma, a double quote or a line
// break (a double quote inside is written twice), lines beginning with '#'
// and blank lines ignored, an optional byte-order mark, LF or CRLF.
#include <string>
#include <string_view>
#include <vector>

struct TLinhaCsv {
    int Numero = 0;                     // 1-based line number of the row's first line
    std::vector<std::string> Campos;
};

struct TErroCsv {
    int Linha = 0;
    std::string Motivo;                 // UTF-8
};

class TCsv {
public:
    // Rows of the text. A quoted field left open at the end of the text is an
    // error of the line where it began; the rows before it are returned.
    static std::vector<TLinhaCsv> Le(std::string_view texto, std::vector<TErroCsv>& erros);
    // One field as written (quoted when needed).
    static std::string Campo(std::string_view valor);
    static std::string Linha(const std::vector<std::string>& campos);   // with "\n"
};

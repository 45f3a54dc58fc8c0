#pragma once
// Writes CSV lines: fields joined by the separator, a field that holds the
// separator, a double quote or a line break enclosed in double quotes with
// inner quotes doubled (a coordinate text 19°55'30" becomes "19°55'30""").
#include <ostream>
#include <string>
#include <vector>

class TEscritorCsv {
public:
    TEscritorCsv(std::ostream& saida, char separador) : saida_(saida), separador_(separador) {}

    void Linha(const std::vector<std::string>& campos);
    std::string Campo(const std::string& texto) const;

private:
    std::ostream& saida_;
    char separador_;
};

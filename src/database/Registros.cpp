#include "database/Registros.h"

AnsiString TiraBrancosFinais(const AnsiString& s) {
    const std::size_t fim = s.find_last_not_of(' ');
    return fim == AnsiString::npos ? AnsiString() : s.substr(0, fim + 1);
}

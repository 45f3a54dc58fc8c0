#pragma once
// The two CSV conventions: the one a Brazilian spreadsheet opens directly
// (';' between fields, ',' as decimal separator) and the plain international
// one (',' and '.').
struct TDialetoCsv {
    char Separador = ';';
    char Decimal = ',';

    static TDialetoCsv Brasileiro() { return {';', ','}; }
    static TDialetoCsv Internacional() { return {',', '.'}; }
};

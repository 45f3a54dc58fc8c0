#include "platform/Numeros.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "platform/Erros.h"

namespace {

// Digits of |value| in fixed notation with `decimais` decimals rounded half
// away from zero on the exact decimal expansion of the double. Returns the
// integer digits and the decimal digits separately.
void DigitosFixos(double absValor, int decimais, std::string& inteiros, std::string& fracao) {
    // The expansion is printed far beyond the decimals kept, so that the digit
    // after the last one kept tells exactly whether the rest is half or more.
    char buf[400 + 120];
    const int extra = 80;
    const auto r = std::to_chars(buf, buf + sizeof buf, absValor, std::chars_format::fixed, decimais + extra);
    std::string s(buf, r.ptr);
    const std::size_t ponto = s.find('.');
    inteiros = s.substr(0, ponto);
    std::string resto = s.substr(ponto + 1);
    fracao = resto.substr(0, static_cast<std::size_t>(decimais));
    if (resto[static_cast<std::size_t>(decimais)] >= '5') {
        // Carry through the fraction, then the integer digits.
        std::string todos = inteiros + fracao;
        int i = static_cast<int>(todos.size()) - 1;
        while (i >= 0 && todos[static_cast<std::size_t>(i)] == '9') todos[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) ++todos[static_cast<std::size_t>(i)];
        else todos.insert(todos.begin(), '1');
        inteiros = todos.substr(0, todos.size() - fracao.size());
        fracao = todos.substr(todos.size() - fracao.size());
    }
}

std::string NaoFinito(double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value, char decSep) {
    if (!std::isfinite(value)) return NaoFinito(value);

    // Integer placeholders before the point; '0' ones are always printed.
    // After the point, '0' always printed and '#' only when not a trailing zero.
    const std::size_t ponto = pattern.find('.');
    const std::string_view parteInt = pattern.substr(0, ponto);
    const std::string_view parteDec =
        ponto == std::string_view::npos ? std::string_view() : pattern.substr(ponto + 1);
    int minInteiros = 0;
    for (char ch : parteInt)
        if (ch == '0') ++minInteiros;
    int maxDecimais = 0, minDecimais = 0;
    for (char ch : parteDec) {
        if (ch == '0' || ch == '#') ++maxDecimais;
        if (ch == '0') minDecimais = maxDecimais;
    }
    if (maxDecimais > 30) maxDecimais = 30;   // far beyond a double's precision
    if (minDecimais > maxDecimais) minDecimais = maxDecimais;

    std::string inteiros, fracao;
    DigitosFixos(std::fabs(value), maxDecimais, inteiros, fracao);

    const std::size_t nz = inteiros.find_first_not_of('0');
    inteiros = nz == std::string::npos ? std::string() : inteiros.substr(nz);
    if (static_cast<int>(inteiros.size()) < minInteiros)
        inteiros.insert(0, static_cast<std::size_t>(minInteiros) - inteiros.size(), '0');
    while (static_cast<int>(fracao.size()) > minDecimais && fracao.back() == '0') fracao.pop_back();

    const bool tudoZero = inteiros.find_first_not_of('0') == std::string::npos &&
                          fracao.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (value < 0 && !tudoZero) out += '-';   // never "-0.000"
    out += inteiros;
    if (!fracao.empty()) {
        out += decSep;
        out += fracao;
    }
    if (out.empty()) out = "0";   // a pattern without any '0' and a value of zero
    return out;
}

std::string FloatToStr(double value, char decSep) {
    if (!std::isfinite(value)) return NaoFinito(value);
    if (value == 0) return "0";

    // 15 significant digits: d.dddddddddddddde<exp>.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);
    const std::size_t e = s.find('e');
    std::string digitos = s.substr(0, 1) + s.substr(2, e - 2);
    const int expoente = std::stoi(s.substr(e + 1));
    while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();

    std::string out = value < 0 ? "-" : "";
    const int n = static_cast<int>(digitos.size());
    if (expoente >= -4 && expoente < 15) {
        // Fixed notation.
        if (expoente >= 0) {
            if (n <= expoente + 1) {
                out += digitos + std::string(static_cast<std::size_t>(expoente + 1 - n), '0');
            } else {
                out += digitos.substr(0, static_cast<std::size_t>(expoente + 1));
                out += decSep;
                out += digitos.substr(static_cast<std::size_t>(expoente + 1));
            }
        } else {
            out += '0';
            out += decSep;
            out += std::string(static_cast<std::size_t>(-expoente - 1), '0') + digitos;
        }
    } else {
        out += digitos[0];
        if (n > 1) {
            out += decSep;
            out += digitos.substr(1);
        }
        out += 'E';
        out += std::to_string(expoente);   // "-5", "15": no plus sign, no leading zeros
    }
    return out;
}

bool TryStrToFloat(std::string_view text, char decSep, double& out) {
    std::size_t i = 0, fim = text.size();
    while (i < fim && text[i] == ' ') ++i;
    while (fim > i && text[fim - 1] == ' ') --fim;

    // sign? digits* (decSep digits*)? ((e|E) sign? digits+)?, with at least one mantissa digit
    std::string normal;
    if (i < fim && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    int digitosMantissa = 0, digitosInteiros = 0;
    bool depoisDoPonto = false;
    long long expoenteNum = 0;
    for (; i < fim; ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            ++digitosMantissa;
            if (!depoisDoPonto && (digitosInteiros > 0 || ch != '0')) ++digitosInteiros;
            normal += ch;
        } else if (ch == decSep && !depoisDoPonto) {
            depoisDoPonto = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (digitosMantissa == 0) return false;
    if (i < fim && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        bool negativo = false;
        if (i < fim && (text[i] == '+' || text[i] == '-')) {
            negativo = text[i] == '-';
            normal += text[i++];
        }
        int digitosExp = 0;
        for (; i < fim && text[i] >= '0' && text[i] <= '9'; ++i) {
            ++digitosExp;
            normal += text[i];
            if (expoenteNum < 100000) expoenteNum = expoenteNum * 10 + (text[i] - '0');
        }
        if (digitosExp == 0) return false;
        if (negativo) expoenteNum = -expoenteNum;
    }
    if (i != fim) return false;

    const char* first = normal.data();
    if (*first == '+') ++first;   // from_chars takes no plus sign
    double v = 0;
    const auto r = std::from_chars(first, normal.data() + normal.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small is read as zero (underflow is silent); too large is not a value.
        if (digitosInteiros + expoenteNum > 0) return false;
        v = normal[0] == '-' ? -0.0 : 0.0;
    } else if (r.ec != std::errc() || r.ptr != normal.data() + normal.size()) {
        return false;
    }
    out = v;
    return true;
}

double StrToFloat(std::string_view text, char decSep) {
    double v = 0;
    if (!TryStrToFloat(text, decSep, v)) RaiseConvertError(AnsiString(text));
    return v;
}

bool TryStrToInt(std::string_view text, int& out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negativo = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativo = text[i++] == '-';
    if (i == text.size()) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negativo) v = -v;
    if (v > INT_MAX || v < INT_MIN) return false;
    out = static_cast<int>(v);
    return true;
}

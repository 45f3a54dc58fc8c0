#pragma once
// The one JSON writer of tormel21-consulta: a value (null, true/false, a
// number, a UTF-8 text, a list, an object whose members keep the order they
// were put in) written compactly on one line. Numbers are written with the
// fewest digits that read back as the same double, so a reader gets the
// program's values bit for bit; a value that is not finite is refused
// (EInvalidOp), never written. Texts are UTF-8: a byte that does not belong
// to a valid sequence is written as U+FFFD.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TJson {
public:
    TJson() = default;   // null
    TJson(bool v) : tipo_(Tipo::Logico), logico_(v) {}
    TJson(double v);
    TJson(int v) : tipo_(Tipo::Inteiro), inteiro_(v) {}
    TJson(long v) : tipo_(Tipo::Inteiro), inteiro_(v) {}
    TJson(unsigned long v) : tipo_(Tipo::Inteiro), inteiro_(static_cast<long long>(v)) {}
    TJson(std::string utf8) : tipo_(Tipo::Texto), texto_(std::move(utf8)) {}
    TJson(const char* utf8) : TJson(std::string(utf8)) {}
    // An optional number: null when empty.
    TJson(const std::optional<double>& v) : TJson(v ? TJson(*v) : TJson()) {}

    static TJson Objeto();
    static TJson Lista();

    // A member of an object (appended; the caller does not repeat a name).
    TJson& Poe(const std::string& nome, TJson valor);
    // An item of a list.
    TJson& Acrescenta(TJson valor);

    void Escreve(std::ostream& saida) const;
    std::string Texto() const;

private:
    enum class Tipo { Nulo, Logico, Inteiro, Real, Texto, Lista, Objeto };
    Tipo tipo_ = Tipo::Nulo;
    bool logico_ = false;
    long long inteiro_ = 0;
    double real_ = 0;
    std::string texto_;
    std::vector<std::string> nomes_;   // of an object's members
    std::vector<TJson> itens_;         // a list's items, an object's values
};

// A UTF-8 text as a JSON string, quotes included.
std::string TextoJson(const std::string& utf8);

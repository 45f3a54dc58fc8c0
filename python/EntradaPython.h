#pragma once
// What the Python module takes from Python before it lets go of the
// interpreter: coordinates and numbers as plain C++ vectors (a scalar, a
// sequence, a NumPy array or a pandas Series of numbers or of coordinate
// texts), and the mapping of the system's errors to the module's
// exceptions.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <vector>

namespace py = pybind11;

// The coordinates of one argument: decimal degrees or coordinate texts
// (UTF-8), element by element (an object array may mix them).
struct TCoordenadasPy {
    bool Escalar = false;
    std::vector<py::ssize_t> Forma;
    std::vector<double> Graus;          // numbers
    std::vector<std::string> Textos;    // texts
    std::vector<char> EhTexto;          // per element; empty: all numbers (Graus) or all texts (Textos) by TodosTextos
    bool TodosTextos = false;

    std::size_t Tamanho() const;
    bool Texto(std::size_t i) const { return EhTexto.empty() ? TodosTextos : EhTexto[i] != 0; }
};

// ErroDeEntrada when the value is neither numbers nor texts (nome names the
// argument in the message).
TCoordenadasPy LeCoordenadas(py::handle valor, const char* nome);

// Numbers: a scalar, or an array of the points' shape (then one per point).
struct TNumerosPy {
    bool Escalar = false;
    std::vector<double> Valores;
    double operator[](std::size_t i) const { return Escalar ? Valores[0] : Valores[i]; }
};
// Each finite and above zero (ErroDeEntrada naming the argument and the value);
// an array must have the shape given.
TNumerosPy LeNumerosPositivos(py::handle valor, const char* nome, const std::vector<py::ssize_t>& forma);

// The module's exceptions: Erro (base), ErroDeEntrada (also ValueError),
// ErroDeDados (also OSError), ErroDeCalculo (also ArithmeticError).
enum class TTipoErro { Entrada, Dados, Calculo, Outro };
void CriaExcecoes(py::module_& m);
void PoeErroPython(TTipoErro tipo, const std::string& mensagemUtf8);
[[noreturn]] void LancaPython(TTipoErro tipo, const std::string& mensagemUtf8);
// The kind of one of the system's exceptions (platform/Erros.h).
TTipoErro TipoDoErro(const std::exception& e);
// A shape as "(3,)" for the messages.
std::string TextoDaForma(const std::vector<py::ssize_t>& forma);

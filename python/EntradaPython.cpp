#include "EntradaPython.h"

#include <charconv>
#include <cmath>

#include "platform/Erros.h"

namespace {

py::object gErro, gErroDeEntrada, gErroDeDados, gErroDeCalculo;

py::array ComoArray(py::handle valor) { return py::module_::import("numpy").attr("asarray")(valor); }

std::string TextoDoNumero(double v) {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, v);
    return std::string(texto, r.ptr);
}

}  // namespace

std::size_t TCoordenadasPy::Tamanho() const { return TodosTextos || !EhTexto.empty() ? Textos.size() : Graus.size(); }

std::string TextoDaForma(const std::vector<py::ssize_t>& forma) {
    std::string s = "(";
    for (std::size_t i = 0; i < forma.size(); ++i) s += std::to_string(forma[i]) + (forma.size() == 1 || i + 1 < forma.size() ? "," : "");
    return s + ")";
}

TCoordenadasPy LeCoordenadas(py::handle valor, const char* nome) {
    TCoordenadasPy c;
    const py::array a = ComoArray(valor);
    c.Escalar = a.ndim() == 0;
    c.Forma.assign(a.shape(), a.shape() + a.ndim());
    const char tipo = a.dtype().kind();
    if (tipo == 'f' || tipo == 'i' || tipo == 'u') {
        const auto graus = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(a);
        c.Graus.assign(graus.data(), graus.data() + graus.size());
        return c;
    }
    const py::list itens = a.attr("ravel")().attr("tolist")();
    if (tipo == 'U') {
        c.TodosTextos = true;
        for (py::handle item : itens) c.Textos.push_back(item.cast<std::string>());
        return c;
    }
    if (tipo == 'O') {
        c.Graus.resize(itens.size());
        c.Textos.resize(itens.size());
        c.EhTexto.resize(itens.size());
        std::size_t i = 0;
        for (py::handle item : itens) {
            if (py::isinstance<py::str>(item)) {
                c.Textos[i] = item.cast<std::string>();
                c.EhTexto[i] = 1;
            } else if (!py::isinstance<py::bool_>(item) && (py::isinstance<py::float_>(item) || py::isinstance<py::int_>(item))) {
                c.Graus[i] = item.cast<double>();
            } else {
                LancaPython(TTipoErro::Entrada, std::string(nome) + ": o elemento " + std::to_string(i) +
                                                    " não é um número nem um texto de coordenada");
            }
            ++i;
        }
        return c;
    }
    LancaPython(TTipoErro::Entrada, std::string(nome) + ": dê graus decimais ou textos de coordenada DD°MM'SS\"");
}

TNumerosPy LeNumerosPositivos(py::handle valor, const char* nome, const std::vector<py::ssize_t>& forma) {
    const py::array a = ComoArray(valor);
    const char tipo = a.dtype().kind();
    if (tipo != 'f' && tipo != 'i' && tipo != 'u')
        LancaPython(TTipoErro::Entrada, std::string(nome) + ": dê um número ou uma matriz de números");
    TNumerosPy n;
    n.Escalar = a.ndim() == 0;
    const std::vector<py::ssize_t> suaForma(a.shape(), a.shape() + a.ndim());
    if (!n.Escalar && suaForma != forma)
        LancaPython(TTipoErro::Entrada, std::string(nome) + ": a forma " + TextoDaForma(suaForma) +
                                            " não é a dos pontos " + TextoDaForma(forma));
    const auto v = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(a);
    n.Valores.assign(v.data(), v.data() + v.size());
    for (double x : n.Valores)
        if (!std::isfinite(x) || !(x > 0))
            LancaPython(TTipoErro::Entrada,
                        std::string(nome) + ": \"" + TextoDoNumero(x) + "\" não é um número maior que zero");
    return n;
}

void CriaExcecoes(py::module_& m) {
    const py::object tipo = py::module_::import("builtins").attr("type");
    const py::object excecao = py::module_::import("builtins").attr("Exception");
    auto classe = [&](const char* nome, py::tuple bases, const char* doc) {
        py::dict d;
        d["__doc__"] = doc;
        d["__module__"] = "tormel21";
        py::object c = tipo(nome, bases, d);
        m.attr(nome) = c;
        return c;
    };
    gErro = classe("Erro", py::make_tuple(excecao), "Erro do Tormel 2.1 (a mensagem é a do programa).");
    gErroDeEntrada = classe("ErroDeEntrada", py::make_tuple(gErro, py::module_::import("builtins").attr("ValueError")),
                            "Coordenada, número ou forma de matriz que o cálculo não aceita.");
    gErroDeDados = classe("ErroDeDados", py::make_tuple(gErro, py::module_::import("builtins").attr("OSError")),
                          "Pasta ou arquivo de dados ausente, ilegível ou corrompido.");
    gErroDeCalculo = classe("ErroDeCalculo",
                            py::make_tuple(gErro, py::module_::import("builtins").attr("ArithmeticError")),
                            "Um valor que a equação não dá (estouro, divisão por zero).");
    // The objects live as long as the interpreter: they are never released.
    gErro.inc_ref();
    gErroDeEntrada.inc_ref();
    gErroDeDados.inc_ref();
    gErroDeCalculo.inc_ref();
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const Exception& e) {
            PoeErroPython(TipoDoErro(e), e.what());
        }
    });
}

TTipoErro TipoDoErro(const std::exception& e) {
    if (dynamic_cast<const EConvertError*>(&e)) return TTipoErro::Entrada;
    if (dynamic_cast<const EArquivoNaoExiste*>(&e) || dynamic_cast<const EInOutError*>(&e) ||
        dynamic_cast<const EDadosInvalidos*>(&e))
        return TTipoErro::Dados;
    if (dynamic_cast<const EMathError*>(&e)) return TTipoErro::Calculo;
    return TTipoErro::Outro;
}

void PoeErroPython(TTipoErro tipo, const std::string& mensagem) {
    const py::object& classe = tipo == TTipoErro::Entrada ? gErroDeEntrada
                               : tipo == TTipoErro::Dados ? gErroDeDados
                               : tipo == TTipoErro::Calculo ? gErroDeCalculo
                                                            : gErro;
    PyErr_SetString(classe.ptr(), mensagem.c_str());
}

void LancaPython(TTipoErro tipo, const std::string& mensagem) {
    PoeErroPython(tipo, mensagem);
    throw py::error_already_set();
}

#include "model/MetodoRacional.h"

#include <cmath>

#include "model/ChuvaDeProjeto.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {
[[noreturn]] void Recusa(const char* utf8) { throw Exception(Ansi(utf8)); }
bool Positivo(double v) { return std::isfinite(v) && v > 0; }
}  // namespace

const std::vector<TCoeficienteDeSuperficie> CoeficientesDeEscoamento = {
    {"Pavimento asfáltico", 0.70, 0.95},
    {"Pavimento de concreto", 0.80, 0.95},
    {"Telhados", 0.75, 0.95},
    {"Centro comercial", 0.70, 0.95},
    {"Residencial, casas isoladas", 0.30, 0.50},
    {"Residencial, apartamentos", 0.50, 0.70},
    {"Industrial leve", 0.50, 0.80},
    {"Parques e cemitérios", 0.10, 0.25},
    {"Gramados, solo arenoso, declive até 2 %", 0.05, 0.10},
    {"Gramados, solo argiloso, declive até 2 %", 0.13, 0.17},
};
const char* const FonteDosCoeficientes =
    "ASCE e WPCF (1969), Design and Construction of Sanitary and Storm Sewers (Manual of Practice 37)";

double TempoDeKirpich(double comprimentoKm, double desnivelM) {
    if (!Positivo(comprimentoKm)) Recusa("Comprimento do talvegue inválido: deve ser maior que zero (km).");
    if (!Positivo(desnivelM)) Recusa("Desnível inválido: deve ser maior que zero (m).");
    const double tc = 57 * std::pow(comprimentoKm * comprimentoKm * comprimentoKm / desnivelM, 0.385);
    if (!std::isfinite(tc)) Recusa("Comprimento e desnível dão um tempo de concentração que não é um número finito.");
    return tc;
}

TVazaoDeProjeto CalculaVazao(const TParametrosIdf& p, double areaKm2, double c, double tc, double tr) {
    if (!Positivo(areaKm2)) Recusa("Área de drenagem inválida: deve ser maior que zero.");
    if (!(std::isfinite(c) && c > 0 && c <= 1)) Recusa("Coeficiente de escoamento C inválido: deve estar entre 0 e 1.");
    if (!Positivo(tc) || tc > DuracaoMaximaDaChuva)
        Recusa("Tempo de concentração inválido: deve ser maior que zero e no máximo 7 dias (10080 min).");
    if (!Positivo(tr)) Recusa("Período de retorno inválido: deve ser maior que zero.");
    TVazaoDeProjeto v;
    v.AreaKm2 = areaKm2;
    v.C = c;
    v.Tc = tc;
    v.Tr = tr;
    v.Intensidade = ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, tc).Intensidade;
    v.Vazao = c * v.Intensidade * areaKm2 / 3.6;
    if (areaKm2 > AreaMaximaDoMetodoRacional)
        v.Notas.push_back(Ansi("Área acima de cerca de 2 km², o limite usual do método racional; para bacias maiores "
                               "use um hidrograma (por exemplo, com a chuva de projeto)."));
    // The same plain-words note as every other answer beyond the fitted ranges.
    const std::string nota = NotaDeExtrapolacao(tr, tc);
    if (!nota.empty()) v.Notas.push_back(nota);
    return v;
}

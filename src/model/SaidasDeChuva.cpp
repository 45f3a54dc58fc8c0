#include "model/SaidasDeChuva.h"

#include <cmath>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {
const char* const kGage = "Tormel";
const char* const kSerie = "ChuvaTormel";

std::string Numero(double v) { return FloatToStr(v, '.'); }

void ExigeMinutosInteiros(const THietograma& h) {
    if (h.Blocos.empty()) throw Exception(Ansi("A chuva de projeto não tem blocos."));
    if (std::abs(h.Passo - std::nearbyint(h.Passo)) > 1e-9)
        throw Exception(Ansi("Intervalo de tempo inválido para o SWMM: os tempos são escritos em h:mm, então o "
                             "intervalo deve ser um número inteiro de minutos."));
}

// The series' lines, each prefixed by `prefixo`.
std::string Linhas(const THietograma& h, const std::string& prefixo) {
    std::string s;
    for (const TBlocoDeChuva& b : h.Blocos) s += prefixo + HorasEMinutos(b.Inicio) + ' ' + Numero(b.Intensidade) + '\n';
    s += prefixo + HorasEMinutos(h.Blocos.back().Fim) + " 0\n";
    return s;
}
}  // namespace

std::string HorasEMinutos(double minutos) {
    const double m = std::nearbyint(minutos);
    if (!(minutos >= 0) || std::abs(minutos - m) > 1e-6)
        throw Exception(Ansi("O tempo " + FloatToStr(minutos, ',') + " min não é um número inteiro de minutos."));
    const long long total = static_cast<long long>(m);
    const long long mm = total % 60;
    return std::to_string(total / 60) + (mm < 10 ? ":0" : ":") + std::to_string(mm);
}

std::string SerieSwmm(const THietograma& h, const std::string& descricao) {
    ExigeMinutosInteiros(h);
    return ";" + descricao + "\n;tempo (h:mm) e intensidade (mm/h) de cada intervalo de " + Numero(h.Passo) +
           " min\n" + Linhas(h, "");
}

std::string SecoesSwmm(const THietograma& h, const std::string& descricao, const std::string& arquivoDat) {
    ExigeMinutosInteiros(h);
    std::string s = ";" + descricao + "\n[RAINGAGES]\n;;Name  Format  Interval  SCF  Source\n";
    s += std::string(kGage) + "  INTENSITY  " + HorasEMinutos(h.Passo) + "  1.0  TIMESERIES " + kSerie + "\n\n";
    s += "[TIMESERIES]\n;;Name  Time  Value (mm/h)\n";
    if (arquivoDat.empty()) s += Linhas(h, std::string(kSerie) + "  ");
    else s += std::string(kSerie) + "  FILE \"" + arquivoDat + "\"\n";
    return s;
}

std::string PadraoHecHms(const THietograma& h) {
    if (h.Blocos.empty()) throw Exception(Ansi("A chuva de projeto não tem blocos."));
    const double total = h.Blocos.back().Acumulada;
    if (!(total > 0)) throw Exception(Ansi("A chuva de projeto tem altura total zero: não há fração acumulada."));
    std::string s = "tempo_min,fracao_acumulada\n0,0\n";
    for (const TBlocoDeChuva& b : h.Blocos) s += Numero(b.Fim) + ',' + Numero(b.Acumulada / total) + '\n';
    return s;
}

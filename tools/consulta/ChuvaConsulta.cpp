#include "ChuvaConsulta.h"

#include <cctype>
#include <sstream>

#include "model/MetodoRacional.h"
#include "model/SaidasDeChuva.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

std::string DescricaoDaChuva(const THietograma& h, TMetodoChuva metodo, char sep) {
    const std::string nome =
        metodo == TMetodoChuva::BlocosAlternados ? std::string("blocos alternados") : Utf8(NomeDoMetodo(metodo));
    std::string s = "Chuva de projeto (" + nome + "): Tr " + FloatToStr(h.Tr, sep) + " anos, D " +
                    FloatToStr(h.Duracao, sep) + " min, intervalo " + FloatToStr(h.Passo, sep) + " min";
    if (QuartilDeHuff(metodo) == 0) s += ", pico em " + FloatToStr(h.PosicaoDoPico, sep) + " de D";
    return s;
}

std::string ChuvaParaModelo(const TParametrosIdf& p, const AnsiString& latitude, const AnsiString& longitude,
                            const TOpcoesConsulta& o) {
    const auto& pedido = *o.Hietograma;
    const THietograma h = CalculaChuva(pedido.Metodo, p, pedido.Tr, pedido.Duracao, pedido.Passo, pedido.Pico);
    if (o.HecHms) return PadraoHecHms(h);
    const std::string descricao = "Tormel 2.1 - " + Utf8(latitude) + " S, " + Utf8(longitude) + " W - " +
                                  DescricaoDaChuva(h, pedido.Metodo, '.');
    std::string extensao = o.Saida.substr(o.Saida.size() - 4);
    for (char& c : extensao) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extensao == ".inp" ? SecoesSwmm(h, descricao) : SerieSwmm(h, descricao);
}

void EscreveVazao(const TParametrosIdf& p, const TOpcoesConsulta::TVazaoPedida& v, char sep, std::ostream& saida) {
    const bool kirpich = v.Tc == 0;
    const double tc = kirpich ? TempoDeKirpich(v.Comprimento, v.Desnivel) : v.Tc;
    const TVazaoDeProjeto q = CalculaVazao(p, v.Area, v.C, tc, v.Tr);
    std::ostringstream s;
    s << "\nVaz\xC3\xA3o de projeto (m\xC3\xA9todo racional, Q = C\xC2\xB7i\xC2\xB7" "A/3,6)\n"
      << "\xC3\x81rea (km\xC2\xB2): " << FloatToStr(q.AreaKm2, sep) << '\n'
      << "C: " << FloatToStr(q.C, sep) << '\n';
    if (kirpich)
        s << "L (km): " << FloatToStr(v.Comprimento, sep) << '\n'
          << "H (m): " << FloatToStr(v.Desnivel, sep) << '\n'
          << "tc (min, Kirpich 57\xC2\xB7(L\xC2\xB3/H)^0,385): " << FloatToStr(q.Tc, sep) << '\n';
    else
        s << "tc (min): " << FloatToStr(q.Tc, sep) << '\n';
    s << "Tr (anos): " << FloatToStr(q.Tr, sep) << '\n'
      << "i(Tr, tc) (mm/h): " << FloatToStr(q.Intensidade, sep) << '\n'
      << "Q (m\xC2\xB3/s): " << FloatToStr(q.Vazao, sep) << '\n';
    for (const std::string& nota : q.Notas) s << "Nota: " << Utf8(nota) << '\n';
    saida << s.str();
}

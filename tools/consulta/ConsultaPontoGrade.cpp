// One point answered by the national grid alone (--fonte grade).
#include <sstream>

#include "ConsultaPonto.h"
#include "RespostaGrade.h"
#include "platform/Cp1252.h"

void TConsultaPonto::ExecutaGrade(std::ostream& destino, std::ostream* avisos) const {
    const TLeitorCoordenada leitor(opcoes_.Convencao);
    const AnsiString latitude = leitor.Texto(opcoes_.Latitude, true);
    const AnsiString longitude = leitor.Texto(opcoes_.Longitude, false);
    const TRespostaGrade r = RespostaDaGrade(*grade_, opcoes_, latitude, longitude);
    std::ostringstream saida;   // written whole or not at all
    saida << "Local: " << FonteGradeNacional << '\n'
          << "Latitude: " << Utf8(latitude) << '\n'
          << "Longitude: " << Utf8(longitude) << '\n';
    EscreveRespostaGrade(r, *grade_, opcoes_, std::nullopt, saida);
    const TCelulaGrade& c = r.Valor.Celula;
    // As with the stations: with -o and --hietograma the file is the design
    // storm's CSV alone; the notes beyond the fitted ranges go to `avisos`.
    const bool soATabela = opcoes_.Hietograma && !opcoes_.Saida.empty() && avisos;
    std::ostringstream tabela, notas;
    EscrevePerguntas({c.K(), c.A(), c.B(), c.C()}, saida, soATabela ? tabela : saida, notas);
    if (soATabela) {
        *avisos << saida.str();
        destino << tabela.str();
    } else {
        destino << saida.str();
    }
    if (avisos) {
        std::istringstream linhas(notas.str());
        for (std::string linha; std::getline(linhas, linha);) *avisos << "tormel21-consulta: " << linha << '\n';
    }
}

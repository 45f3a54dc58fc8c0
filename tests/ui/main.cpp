// Window tests on the offscreen platform. The locale comes from
// TORMEL_TESTE_LOCALE (pt_BR: comma; en_US: point), so every number check
// runs once with each decimal separator.
#include "suporte/ExecutaTestes.h"

int ExecutaTesteAplicacao(int argc, char** argv);
int ExecutaTesteConsultaEstados(int argc, char** argv);
int ExecutaTesteConsultaListas(int argc, char** argv);
int ExecutaTesteConsultaMapa(int argc, char** argv);
int ExecutaTesteConsultaComandos(int argc, char** argv);
int ExecutaTesteConsultaUso(int argc, char** argv);
int ExecutaTesteCurvasIdf(int argc, char** argv);
int ExecutaTesteCurvasUso(int argc, char** argv);
int ExecutaTesteProcuraLocal(int argc, char** argv);
int ExecutaTesteConsultaEstacoes(int argc, char** argv);
int ExecutaTesteCurvasGrade(int argc, char** argv);
int ExecutaTesteColarCoordenadas(int argc, char** argv);
int ExecutaTesteCurvasProjeto(int argc, char** argv);
int ExecutaTesteMnemonicos(int argc, char** argv);

int main(int argc, char** argv) {
    return ExecutaTestes(argc, argv,
                         {ExecutaTesteAplicacao, ExecutaTesteConsultaEstados, ExecutaTesteConsultaListas,
                          ExecutaTesteConsultaMapa, ExecutaTesteConsultaComandos, ExecutaTesteConsultaUso,
                          ExecutaTesteCurvasIdf, ExecutaTesteCurvasUso, ExecutaTesteConsultaEstacoes, ExecutaTesteProcuraLocal,
                          ExecutaTesteMnemonicos, ExecutaTesteColarCoordenadas, ExecutaTesteCurvasProjeto,
                          ExecutaTesteCurvasGrade},
                         QLocale(qEnvironmentVariable("TORMEL_TESTE_LOCALE", QStringLiteral("pt_BR"))));
}

#include "ExecutaTestes.h"

int ExecutaTestes(int argc, char** argv, std::initializer_list<TExecutaTeste> testes,
                  const std::optional<QLocale>& local) {
    TAplicacao app(argc, argv);
    app.SetCaixas(&Caixas());
    if (local) QLocale::setDefault(*local);
    int falhas = 0;
    for (TExecutaTeste teste : testes) falhas += teste(argc, argv);
    app.SetCaixas(nullptr);
    return falhas;
}

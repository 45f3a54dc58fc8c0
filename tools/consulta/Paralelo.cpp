#include "Paralelo.h"

#include <new>
#include <system_error>
#include <thread>
#include <vector>

unsigned ExecutaEmParalelo(unsigned tarefas, const std::function<void()>& trabalho, std::ostream* avisos) {
    std::vector<std::thread> linhas;
    for (unsigned k = 1; k < tarefas; ++k) {
        try {
            linhas.emplace_back(trabalho);
        } catch (const std::system_error&) {
            break;
        } catch (const std::bad_alloc&) {
            break;
        }
    }
    const auto iniciadas = static_cast<unsigned>(linhas.size() + 1);
    if (avisos && iniciadas < tarefas)
        *avisos << "tormel21-consulta: s\xC3\xB3 " << iniciadas << " de " << tarefas
                << " linhas de execu\xC3\xA7\xC3\xA3o puderam ser iniciadas; o c\xC3\xA1lculo segue com elas\n";
    trabalho();
    for (auto& t : linhas) t.join();
    return iniciadas;
}

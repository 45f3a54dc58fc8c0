#include "LimpezaSinais.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// Fixed slots: the handler may only read memory and call unlink.
constexpr int kVagas = 16;
char caminhos[kVagas][PATH_MAX];
std::atomic<bool> ocupada[kVagas];
std::atomic<bool> reservada[kVagas];

const int kSinais[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void Limpa(int sinal) {
    for (int i = 0; i < kVagas; ++i)
        if (ocupada[i].load(std::memory_order_acquire)) ::unlink(caminhos[i]);
    std::signal(sinal, SIG_DFL);
    ::raise(sinal);
}

}  // namespace

void InstalaLimpezaNosSinais() {
    struct sigaction acao {};
    acao.sa_handler = Limpa;
    sigemptyset(&acao.sa_mask);
    for (int s : kSinais) sigaddset(&acao.sa_mask, s);   // one cleanup at a time
    for (int s : kSinais) {
        struct sigaction antiga {};
        // A signal ignored by the parent (nohup) stays ignored.
        if (::sigaction(s, nullptr, &antiga) == 0 && antiga.sa_handler == SIG_IGN) continue;
        ::sigaction(s, &acao, nullptr);
    }
}

TTemporarioVigiado::TTemporarioVigiado(const std::string& caminho) {
    if (caminho.size() >= PATH_MAX) return;
    for (int i = 0; i < kVagas; ++i) {
        if (reservada[i].exchange(true)) continue;
        std::memcpy(caminhos[i], caminho.c_str(), caminho.size() + 1);
        ocupada[i].store(true, std::memory_order_release);
        vaga_ = i;
        return;
    }
}

TTemporarioVigiado::~TTemporarioVigiado() {
    if (vaga_ < 0) return;
    ocupada[vaga_].store(false, std::memory_order_release);
    reservada[vaga_].store(false);
}

#pragma once
// Temporary files removed when the program is ended by SIGINT, SIGTERM,
// SIGHUP or SIGQUIT: the handler removes the names registered at that
// moment and ends the program by the same signal, so the caller sees it.
// What the temporary file would have replaced stays as it was.
#include <string>

// Installs the handlers (once, at start-up).
void InstalaLimpezaNosSinais();

// A name registered for the lifetime of the object (the file need not exist
// yet). Up to a few at a time; more are simply not watched.
class TTemporarioVigiado {
public:
    explicit TTemporarioVigiado(const std::string& caminho);
    ~TTemporarioVigiado();
    TTemporarioVigiado(const TTemporarioVigiado&) = delete;
    TTemporarioVigiado& operator=(const TTemporarioVigiado&) = delete;

private:
    int vaga_ = -1;
};

#pragma once
// The application object: the one place where an exception that leaves an
// event handler becomes the error box.
#include <QApplication>
#include <QString>

#include <concepts>
#include <functional>
#include <utility>

// Message boxes of the program; tests put a recorder in their place.
class ICaixas {
public:
    virtual ~ICaixas() = default;
    // Error box: title, error icon, OK.
    virtual void Erro(const QString& titulo, const QString& texto) = 0;
    // Information box: title, information icon, OK.
    virtual void Informacao(const QString& titulo, const QString& texto) = 0;
};

// Real QMessageBox boxes.
class TCaixasPadrao : public ICaixas {
public:
    void Erro(const QString& titulo, const QString& texto) override;
    void Informacao(const QString& titulo, const QString& texto) override;
};

class TAplicacao : public QApplication {
public:
    TAplicacao(int& argc, char** argv);
    // Catches Exception / std::exception leaving any handler and shows it
    // through Caixas() with the title "Tormel 2.1" and the period rule.
    bool notify(QObject* receiver, QEvent* event) override;

    ICaixas& Caixas();
    void SetCaixas(ICaixas* caixas);   // nullptr restores the real boxes

    // The application's current instance, or nullptr outside a TAplicacao.
    static TAplicacao* Instancia();
    // Shows an error the way an event handler's error is shown (used by code
    // that must report and go on, e.g. a window's creation step).
    void MostraErro(const std::exception& e);

private:
    TCaixasPadrao padrao_;
    ICaixas* caixas_ = nullptr;
};

// Runs a handler reached from a signal or a callback and hands an error that
// leaves it to TAplicacao::MostraErro, so that no exception unwinds through
// Qt's signal emission or its item views. Outside a TAplicacao the error is
// printed on standard error.
void ExecutaProtegido(const std::function<void()>& handler);

// A slot or callback that runs `handler` through ExecutaProtegido.
template <class F>
auto Protegido(F handler) {
    // Constrained, so that Qt's connect finds how many of a signal's
    // arguments the handler takes.
    return [handler = std::move(handler)](auto&&... args)
               requires std::invocable<F&, decltype(args)...>
    {
        ExecutaProtegido([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}

// The message with a period appended when its last character sorts after '.'.
QString ComPontoFinal(const QString& mensagem);

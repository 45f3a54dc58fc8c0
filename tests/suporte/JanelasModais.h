#pragma once
// Driving windows from a test: pending events, and modal windows that a
// test action opens and the test must see and close.
#include <QApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

void Processa();   // a few rounds of pending events

// Runs `acao`, closing the first modal window that opens meanwhile; gives
// that window's class name, empty when none opened.
QString FechaModalAo(const std::function<void()>& acao);

// Once the event loop runs again (inside the modal loop about to start),
// hands the active modal window to `acao` when it is a T; nothing otherwise.
template <class T>
void AoAbrirModal(QObject* contexto, std::function<void(T*)> acao) {
    QTimer::singleShot(0, contexto, [acao = std::move(acao)] {
        if (auto* janela = qobject_cast<T*>(QApplication::activeModalWidget())) acao(janela);
    });
}

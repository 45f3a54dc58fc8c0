#include "JanelasModais.h"

#include <QCoreApplication>

void Processa() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

QString FechaModalAo(const std::function<void()>& acao) {
    QString visto;
    QTimer vigia;
    vigia.setInterval(20);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            visto = QString::fromLatin1(modal->metaObject()->className());
            vigia.stop();
            modal->close();
        }
    });
    vigia.start();
    acao();
    Processa();
    return visto;
}

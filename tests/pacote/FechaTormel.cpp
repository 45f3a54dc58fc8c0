// A Qt plugin that plays the user in the program as installed, for the test
// of the Debian package (scripts/testa-pacote.sh). The shipped program has no
// test hook; Qt loads this one into it from QT_PLUGIN_PATH/generic when
// QT_QPA_GENERIC_PLUGINS names "tormel21fecha". It closes every other modal
// window (the about window), then clicks "&Fechar" on the query window, so the
// program stores its settings and ends. It prints what it does on standard
// error: "MODAL <class>", then "FECHAR".
#include <QApplication>
#include <QDialog>
#include <QGenericPlugin>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

void Imprime(const QString& linha) {
    std::fprintf(stderr, "%s\n", qPrintable(linha));
    std::fflush(stderr);
}

QPushButton* BotaoFechar(QWidget* janela) {
    for (QPushButton* b : janela->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("&Fechar")) return b;
    return nullptr;
}

}  // namespace

class TFechaTormel : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "FechaTormel.json")

public:
    QObject* create(const QString& chave, const QString&) override {
        if (chave.compare(QLatin1String("tormel21fecha"), Qt::CaseInsensitive) != 0) return nullptr;
        auto* relogio = new QTimer;   // owned by the application from here on
        relogio->setInterval(100);
        auto vistas = std::make_shared<int>(0);
        connect(relogio, &QTimer::timeout, relogio, [relogio, vistas] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            QPushButton* fechar = BotaoFechar(modal);
            if (!fechar) {
                if (auto* dialogo = qobject_cast<QDialog*>(modal)) {
                    Imprime(QStringLiteral("MODAL ") + QString::fromLatin1(dialogo->metaObject()->className()));
                    dialogo->reject();
                }
                *vistas = 0;
                return;
            }
            // The window restores the last place just after it appears.
            if (++*vistas < 3) return;
            relogio->stop();
            Imprime(QStringLiteral("FECHAR"));
            fechar->click();
        });
        relogio->start();
        return relogio;
    }
};

#include "FechaTormel.moc"

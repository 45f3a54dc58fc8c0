#include "PastasQt.h"

#include <QDir>

#include <stdexcept>

QImage MapaLiso(int largura, int altura, const QColor& cor) {
    QImage mapa(largura, altura, QImage::Format_RGB32);
    mapa.fill(cor);
    return mapa;
}

void GravaMapa(const TPastaPrograma& pasta, const std::string& nome, const QImage& mapa) {
    if (!mapa.save(QCaminho(pasta.Dados() + nome), "BMP")) throw std::runtime_error("cannot write " + nome);
}

QString QCaminho(const std::string& caminho) { return QString::fromStdString(caminho); }

TPastaCorrente::TPastaCorrente() : pasta_("tormel_corrente_"), anterior_(QDir::currentPath()) {
    if (!QDir::setCurrent(QCaminho(pasta_.Caminho()))) throw std::runtime_error("cannot enter " + pasta_.Caminho());
}

TPastaCorrente::~TPastaCorrente() { QDir::setCurrent(anterior_); }

QString TPastaCorrente::Caminho(const QString& nome) const { return QCaminho(pasta_.Caminho()) + nome; }

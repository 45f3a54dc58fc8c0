// tormel21-icones SVG PASTA TAMANHO...: renders the application icon into the
// icon theme's layout, PASTA/<n>x<n>/apps/<name of the SVG>.png for each size.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "uso: tormel21-icones SVG PASTA TAMANHO...\n");
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "%s: não é um SVG legível\n", qPrintable(args[1]));
        return 1;
    }
    const QString nome = QFileInfo(args[1]).completeBaseName() + QStringLiteral(".png");
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int n = args[i].toInt(&ok);
        if (!ok || n <= 0) {
            std::fprintf(stderr, "%s: tamanho inválido\n", qPrintable(args[i]));
            return 2;
        }
        QImage imagem(n, n, QImage::Format_ARGB32_Premultiplied);
        imagem.fill(Qt::transparent);
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        svg.render(&pintor);
        pintor.end();
        const QString pasta = args[2] + QStringLiteral("/%1x%1/apps").arg(n);
        if (!QDir().mkpath(pasta) || !imagem.save(pasta + QLatin1Char('/') + nome)) {
            std::fprintf(stderr, "%s: não foi possível gravar\n", qPrintable(pasta + QLatin1Char('/') + nome));
            return 1;
        }
    }
    return 0;
}

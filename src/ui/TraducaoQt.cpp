#include "ui/TraducaoQt.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QLibraryInfo>
#include <QTranslator>

bool InstalaTraducaoQt(QCoreApplication& app) {
    auto* traducao = new QTranslator(&app);
    if (!traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}

QString DataDeHoje() {
    const QLocale usuario;
    const QLocale local = usuario.language() == QLocale::Portuguese ? usuario : QLocale(QLocale::Portuguese, QLocale::Brazil);
    return local.toString(QDate::currentDate(), QLocale::ShortFormat);
}

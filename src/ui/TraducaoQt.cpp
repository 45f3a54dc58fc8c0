#include "ui/TraducaoQt.h"

#include <QCoreApplication>
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

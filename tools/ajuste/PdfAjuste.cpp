#include "PdfAjuste.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <memory>

namespace {
// Qt's notes about the session (no runtime folder, no fonts cache) are not the tool's output.
void Silencio(QtMsgType, const QMessageLogContext&, const QString&) {}
}  // namespace

std::string PdfDoHtml(const std::string& html) {
    const QtMessageHandler anterior = qInstallMessageHandler(Silencio);
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char nome[] = "tormel21-ajuste";
        static char* argv[] = {nome, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                      QPageLayout::Millimeter));
        pdf.setTitle(QStringLiteral("Ajuste de equação IDF"));
        pdf.setCreator(QStringLiteral("tormel21-ajuste"));
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Sans Serif"), 8));
        doc.setHtml(QString::fromStdString(html));
        doc.print(&pdf);
    }
    qInstallMessageHandler(anterior);
    return buffer.data().toStdString();
}

#include "suporte/ProgramaDeTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "platform/Cp1252.h"

QStringList TResultado::Linhas(const QString& prefixo) const {
    QStringList r;
    for (const QString& l : Saida.split(QLatin1Char('\n')))
        if (l.startsWith(prefixo)) r << l;
    return r;
}

TResultado ExecutaProgramaDeTeste(const QString& programa, const QString& acao, const QString& pastaDeTrabalho,
                                  const std::function<void()>& noFilho) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TORMEL21_TESTE_ACAO"), acao);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(pastaDeTrabalho.isEmpty() ? QDir::tempPath() : pastaDeTrabalho);
    if (noFilho) p.setChildProcessModifier(noFilho);
    p.start(programa, {});
    TResultado r;
    if (!p.waitForStarted(10000)) return r;
    r.Terminou = p.waitForFinished(60000);
    if (!r.Terminou) {
        p.kill();
        p.waitForFinished();
    }
    r.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Saida = QString::fromUtf8(p.readAllStandardOutput());
    r.Erro = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray Bytes(const char* utf8) { return QByteArray::fromStdString(Ansi(utf8)); }

QByteArray Le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

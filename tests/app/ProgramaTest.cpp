// The whole program as a process: a copy of the test build in a temporary
// program folder beside a data folder, with settings written by the test.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DadosDeTeste.h"
#include "platform/Cp1252.h"
#include "suporte/ProgramaDeTeste.h"

using namespace DadosDeTeste;

namespace {

void Escreve(const QString& caminho, const QByteArray& dados) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(dados), dados.size());
}

// A program folder "<raiz>/bin" holding the program and its help file.
class TInstalacao {
public:
    explicit TInstalacao(const std::string& prefixo = "tormel_programa_") : raiz_(prefixo) {
        Pasta = QString::fromStdString(CriaPastas(raiz_));
        Programa = Pasta + QStringLiteral("tormel21");
        if (!QFile::copy(QStringLiteral(TORMEL21_TESTE), Programa) ||
            !QFile::copy(QStringLiteral(TORMEL21_ARQUIVO_AJUDA), Pasta + QStringLiteral("Tormel21.hlp")))
            qFatal("cannot install the test program");
        Ini = Pasta + QStringLiteral("Tormel21.ini");
    }
    void ApagaDados(const QString& nome) const { raiz_.ApagaDados(nome.toStdString()); }

    TResultado Executa(const QString& acao, const QString& pastaDeTrabalho = QString()) const {
        return ExecutaProgramaDeTeste(Programa, acao, pastaDeTrabalho);
    }

    QStringList ArquivosDaPasta() const { return QDir(Pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QString Pasta, Programa, Ini;

private:
    TPastaPrograma raiz_;
};

}  // namespace

class TestePrograma : public QObject {
    Q_OBJECT

private slots:
    // First run: no settings file. The window opens on Acre with its first
    // station, the about window shows once, "&Fechar" writes the five keys.
    void primeiraExecucaoSemArquivoDeConfiguracao() {
        TInstalacao inst;
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QVERIFY2(r.Terminou, qPrintable(r.Erro));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("MODAL")), QStringList{QStringLiteral("MODAL TfrmFoSobreTormel")});
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")),
                 QStringList{QStringLiteral("JANELA estado=0 estacao=0 localidade=0 latitude=07°37'51\" "
                                            "longitude=72°40'12\"")});
        QVERIFY2(r.Linhas(QStringLiteral("CAIXA")).isEmpty(), qPrintable(r.Saida));
        QCOMPARE(Le(inst.Ini), Bytes("[PRINCIPAL]\r\nIndEstado=0\r\nIndEstacao=0\r\nIndLocalidade=-1\r\n"
                                     "Latitude=07°37'51\"\r\nLongitude=72°40'12\"\r\n"));
    }

    // "&Fechar" replaces the five values in place; comments, other keys and
    // other sections stay as they were, line ends included.
    void fecharGravaAsCincoChavesEPreservaORestante() {
        TInstalacao inst;
        Escreve(inst.Ini, Bytes("; preferências\n[OUTRA]\nIndEstado=7\n\n[principal]\nIndEstado=12\n"
                                "Extra=sim\nIndEstacao=1\nIndLocalidade=0\nLatitude=19°55'00\"\n"
                                "Longitude=43°56'00\"\n[FIM]\nx=1\n"));
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")),
                 QStringList{QStringLiteral("JANELA estado=12 estacao=1 localidade=0 latitude=21°45'00\" "
                                            "longitude=43°21'00\"")});
        QCOMPARE(Le(inst.Ini), Bytes("; preferências\n[OUTRA]\nIndEstado=7\n\n[principal]\nIndEstado=12\n"
                                     "Extra=sim\nIndEstacao=1\nIndLocalidade=-1\nLatitude=21°45'00\"\n"
                                     "Longitude=43°21'00\"\n[FIM]\nx=1\n"));
    }

    // A place of another state found with "Procurar local" and "&Fechar":
    // the settings file holds its state, its list position and its texts.
    void procurarLocalEFechar_data() {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("sugestao");
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("locality") << "ok+procura=uberaba" << "Uberaba (MG, localidade)"
                                  << Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=-1\r\nIndLocalidade=1\r\n"
                                           "Latitude=19°45'00\"\r\nLongitude=47°55'00\"\r\n");
        QTest::newRow("station") << "ok+procura=JUIZ DE" << QString::fromUtf8("Juiz de Fora (MG, estação)")
                                 << Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=1\r\nIndLocalidade=-1\r\n"
                                          "Latitude=21°45'00\"\r\nLongitude=43°21'00\"\r\n");
    }
    void procurarLocalEFechar() {
        QFETCH(QString, acao);
        QFETCH(QString, sugestao);
        QFETCH(QByteArray, ini);
        TInstalacao inst;
        const TResultado r = inst.Executa(acao);
        QVERIFY2(r.Terminou, qPrintable(r.Erro));
        QCOMPARE(r.Status, 0);
        QVERIFY2(r.Linhas(QStringLiteral("CAIXA")).isEmpty(), qPrintable(r.Saida));
        QCOMPARE(r.Linhas(QStringLiteral("PROCURA")), QStringList{QStringLiteral("PROCURA ") + sugestao});
        QCOMPARE(Le(inst.Ini), ini);
    }

    // "&Cancelar" and the close box: an existing file stays byte for byte,
    // none is created, nothing is left beside the program.
    void cancelarOuFecharNaoGrava_data() {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<bool>("comArquivo");
        QTest::newRow("Cancelar, com arquivo") << "cancel" << true;
        QTest::newRow("caixa de fechar, com arquivo") << "close" << true;
        QTest::newRow("Cancelar, sem arquivo") << "cancel" << false;
        QTest::newRow("caixa de fechar, sem arquivo") << "close" << false;
    }
    void cancelarOuFecharNaoGrava() {
        QFETCH(QString, acao);
        QFETCH(bool, comArquivo);
        TInstalacao inst;
        const QByteArray antes = Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=2\r\nIndLocalidade=0\r\n"
                                       "Latitude=16°43'00\"\r\nLongitude=43°52'00\"\r\n; fim");
        if (comArquivo) Escreve(inst.Ini, antes);
        const QStringList arquivos = inst.ArquivosDaPasta();
        const TResultado r = inst.Executa(acao);
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).size(), 1);
        QCOMPARE(inst.ArquivosDaPasta(), arquivos);
        if (comArquivo) QCOMPARE(Le(inst.Ini), antes);
        else QVERIFY(!QFileInfo::exists(inst.Ini));
    }

    // Errors outside any event loop: the box and standard error name the
    // class and the message, the status is 1, the settings file is untouched.
    void erroForaDoLacoTerminaComStatus1_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("apagar");
        QTest::addColumn<QString>("linha");
        QTest::addColumn<QString>("chave");   // the key of the settings file whose value was refused
        const QString semEstado = QStringLiteral("Exception: É necessário entrar com um índice para o estado");
        QTest::newRow("IndEstado -1") << Bytes("[PRINCIPAL]\r\nIndEstado=-1\r\n") << "-" << semEstado
                                      << "IndEstado";
        QTest::newRow("IndEstado 65535") << Bytes("[PRINCIPAL]\r\nIndEstado=65535\r\n") << "-" << semEstado
                                         << "IndEstado";
        QTest::newRow("IndEstado 27") << Bytes("[PRINCIPAL]\r\nIndEstado=27\r\n") << "-"
                                      << QStringLiteral("ENumeroEstado:  Não existe estado com índice igual a 27")
                                      << "IndEstado";
        QTest::newRow("Latitude ilegível")
            << Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nLatitude=19°xx'00\"\r\n") << "-"
            << QStringLiteral("EConvertError: 'xx' is not a valid floating point value") << "Latitude";
        QTest::newRow("Longitude ilegível")
            << Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nLatitude=19°00'00\"\r\nLongitude=43°56'zz\"\r\n") << "-"
            << QStringLiteral("EConvertError: 'zz' is not a valid floating point value") << "Longitude";
        QTest::newRow("sem pasta de dados")
            << Bytes("[PRINCIPAL]\r\nIndEstado=3\r\n") << ""
            << QStringLiteral("Exception: Erro. Não foi possível localizar a pasta contendo o banco de dados.") << "";
    }
    void erroForaDoLacoTerminaComStatus1() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, apagar);
        QFETCH(QString, linha);
        QFETCH(QString, chave);
        TInstalacao inst;
        if (!chave.isEmpty()) linha += QStringLiteral(" (arquivo \"%1\", chave \"%2\")").arg(inst.Ini, chave);
        Escreve(inst.Ini, ini);
        if (apagar != QLatin1String("-")) inst.ApagaDados(apagar);
        const QStringList arquivos = inst.ArquivosDaPasta();
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QVERIFY(r.Terminou);
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Erro.split(QLatin1Char('\n')).contains(linha), qPrintable(r.Erro));
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList{QStringLiteral("CAIXA Tormel 2.1|") + linha});
        QVERIFY(r.Linhas(QStringLiteral("JANELA")).isEmpty());
        QVERIFY(r.Linhas(QStringLiteral("MODAL")).isEmpty());
        QCOMPARE(Le(inst.Ini), ini);
        QCOMPARE(inst.ArquivosDaPasta(), arquivos);
    }

    // A coordinate written by a UTF-8 editor: its two-byte degree sign (or an
    // "º", in either encoding) is read as the degree sign.
    void sinalDeGrauEmUtf8_data() {
        QTest::addColumn<QByteArray>("grau");
        QTest::newRow("° em UTF-8") << QByteArray("\xC2\xB0");
        QTest::newRow("º em UTF-8") << QByteArray("\xC2\xBA");
        QTest::newRow("º em cp1252") << QByteArray("\xBA");
    }
    void sinalDeGrauEmUtf8() {
        QFETCH(QByteArray, grau);
        TInstalacao inst;
        Escreve(inst.Ini, "[PRINCIPAL]\nIndEstado=12\nIndEstacao=-1\nIndLocalidade=-1\nLatitude=19" + grau +
                              "55'00\"\nLongitude=43" + grau + "56'00\"\n");
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QVERIFY2(r.Status == 0, qPrintable(r.Erro));
        const QString janela = r.Linhas(QStringLiteral("JANELA")).value(0);
        QVERIFY2(janela.endsWith(QStringLiteral(" latitude=19°55'00\" longitude=43°56'00\"")), qPrintable(janela));
        QVERIFY(Le(inst.Ini).contains(Bytes("Latitude=19°55'00\"\n")));
    }

    // Installed under a folder whose path has "ç", "ã" and a blank: the data
    // folder, the settings file and the help file are found, and a message
    // names the path as it is.
    void pastaComAcentosEBranco() {
        TInstalacao inst("tormel Precipitação_");
        QVERIFY(inst.Pasta.contains(QStringLiteral("ç")));
        Escreve(inst.Ini, Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=1\r\n"));
        TResultado r = inst.Executa(QStringLiteral("ok+ajuda"));
        QCOMPARE(r.Status, 0);
        QVERIFY2(r.Linhas(QStringLiteral("CAIXA")).isEmpty(), qPrintable(r.Saida));
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).value(0).left(26), QStringLiteral("JANELA estado=12 estacao=1"));
        QCOMPARE(r.Linhas(QStringLiteral("AJUDA")),
                 QStringList{QStringLiteral("AJUDA Ajuda do Tormel 2.1 - Usando o Tormel 2.1")});
        QVERIFY(Le(inst.Ini).contains(Bytes("Latitude=21°45'00\"\r\n")));

        Escreve(inst.Ini, Bytes("[PRINCIPAL]\r\nIndEstado=27\r\n"));
        r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")),
                 QStringList{QStringLiteral("CAIXA Tormel 2.1|ENumeroEstado:  Não existe estado com índice igual a "
                                            "27 (arquivo \"%1\", chave \"IndEstado\")").arg(inst.Ini)});
    }

    // A folder whose path cp1252 cannot hold: a clear message naming the
    // character, exit status 1, and no file looked for or written.
    void pastaQueCp1252NaoRepresenta() {
        TInstalacao inst("tormel_\xC5\x82_");   // "ł"
        const QStringList arquivos = inst.ArquivosDaPasta();
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QVERIFY(r.Terminou);
        QCOMPARE(r.Status, 1);
        QString marcada = inst.Pasta;
        marcada.replace(QStringLiteral("ł"), QStringLiteral("<U+0142>"));
        const QString linha = QStringLiteral("EInOutError: O caminho \"%1\" não pode ser usado: o caractere U+0142 "
                                             "não existe na página de código Windows-1252. Use uma pasta cujo "
                                             "caminho só tenha letras do português.")
                                  .arg(marcada);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList{QStringLiteral("CAIXA Tormel 2.1|") + linha});
        QVERIFY(r.Linhas(QStringLiteral("JANELA")).isEmpty());
        QCOMPARE(inst.ArquivosDaPasta(), arquivos);
    }

    // Only the low 16 bits of the integers count.
    void inteirosPelos16BitsBaixos() {
        TInstalacao inst;
        Escreve(inst.Ini, Bytes("[PRINCIPAL]\r\nIndEstado=65536\r\nIndEstacao=65537\r\nIndLocalidade=131071\r\n"));
        const TResultado r = inst.Executa(QStringLiteral("cancel"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")),
                 QStringList{QStringLiteral("JANELA estado=0 estacao=1 localidade=-1 latitude=09°58'29\" "
                                            "longitude=67°48'36\"")});
    }

    // The empty mask text is no coordinate, whether its blanks were kept by
    // quoting the value or dropped by the settings file's blank trimming.
    void textoDeMascaraVazioEhVazio_data() {
        QTest::addColumn<QByteArray>("valor");
        QTest::newRow("entre aspas") << Bytes("\"  °  '  \"\"");
        QTest::newRow("sem aspas") << Bytes("  °  '  \"");
    }
    void textoDeMascaraVazioEhVazio() {
        QFETCH(QByteArray, valor);
        TInstalacao inst;
        Escreve(inst.Ini, Bytes("[PRINCIPAL]\r\nIndEstado=0\r\nIndEstacao=-1\r\nIndLocalidade=-1\r\n") +
                              "Latitude=" + valor + "\r\nLongitude=" + valor + "\r\n");
        const TResultado r = inst.Executa(QStringLiteral("cancel"));
        QCOMPARE(r.Status, 0);
        QVERIFY2(r.Linhas(QStringLiteral("CAIXA")).isEmpty(), qPrintable(r.Saida));
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")),
                 QStringList{QStringLiteral("JANELA estado=0 estacao=-1 localidade=-1 latitude= longitude=")});
    }

    // Started from another folder, the program uses the files beside itself
    // and writes nothing where it was started.
    void outraPastaDeTrabalho() {
        TInstalacao inst;
        QTemporaryDir trabalho;
        const QByteArray isca = Bytes("[PRINCIPAL]\r\nIndEstado=5\r\n");
        Escreve(trabalho.filePath(QStringLiteral("Tormel21.ini")), isca);
        Escreve(inst.Ini, Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=0\r\n"));
        const TResultado r = inst.Executa(QStringLiteral("ok+ajuda"), trabalho.path());
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).value(0).left(26), QStringLiteral("JANELA estado=12 estacao=0"));
        QCOMPARE(r.Linhas(QStringLiteral("AJUDA")),
                 QStringList{QStringLiteral("AJUDA Ajuda do Tormel 2.1 - Usando o Tormel 2.1")});
        QVERIFY(Le(inst.Ini).contains(Bytes("Latitude=19°55'00\"\r\n")));
        QCOMPARE(Le(trabalho.filePath(QStringLiteral("Tormel21.ini"))), isca);
        QCOMPARE(QDir(trabalho.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tormel21.ini"});
    }

    // The settings file stays beside the program when its folder can be
    // written, and goes to the user's settings folder when it cannot (an
    // installed package): $XDG_CONFIG_HOME/tormel21/, else ~/.config/tormel21/.
    // The read-only runs need a user that permission bits bind, so under
    // root the program runs as "nobody".
    void arquivoDeConfiguracaoDoUsuario_data() {
        QTest::addColumn<bool>("somenteLeitura");
        QTest::addColumn<bool>("comXdg");
        QTest::addColumn<QString>("esperado");   // relative to the program folder, XDG or home folder
        QTest::newRow("pasta gravável") << false << true << "programa:Tormel21.ini";
        QTest::newRow("somente leitura, XDG_CONFIG_HOME") << true << true << "xdg:tormel21/Tormel21.ini";
        QTest::newRow("somente leitura, sem XDG_CONFIG_HOME") << true << false
                                                              << "casa:.config/tormel21/Tormel21.ini";
    }
    void arquivoDeConfiguracaoDoUsuario() {
        QFETCH(bool, somenteLeitura);
        QFETCH(bool, comXdg);
        QFETCH(QString, esperado);
        const passwd* ninguem = ::getpwnam("nobody");
        const bool trocaUsuario = somenteLeitura && ::geteuid() == 0;
        if (trocaUsuario && !ninguem) QSKIP("running as root and there is no user \"nobody\" to run as");
        const uid_t uid = trocaUsuario ? ninguem->pw_uid : ::geteuid();
        const gid_t gid = trocaUsuario ? ninguem->pw_gid : ::getegid();

        TInstalacao inst;
        QTemporaryDir xdg, casa;
        for (const QString& pasta : {xdg.path(), casa.path()}) QCOMPARE(::chown(qPrintable(pasta), uid, gid), 0);
        QCOMPARE(::chmod(qPrintable(inst.Pasta + QStringLiteral("..")), 0755), 0);
        if (somenteLeitura) QCOMPARE(::chmod(qPrintable(inst.Pasta), 0555), 0);
        const QStringList arquivos = inst.ArquivosDaPasta();

        const QByteArray xdgAntes = qgetenv("XDG_CONFIG_HOME"), casaAntes = qgetenv("HOME");
        if (comXdg) qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
        else qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(casa.path()));
        const TResultado r = ExecutaProgramaDeTeste(inst.Programa, QStringLiteral("ok"), QString(), [&] {
            if (trocaUsuario && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
                ::_exit(99);
        });
        qputenv("XDG_CONFIG_HOME", xdgAntes);
        qputenv("HOME", casaAntes);
        ::chmod(qPrintable(inst.Pasta), 0755);

        QVERIFY2(r.Terminou, qPrintable(r.Erro));
        QCOMPARE(r.Status, 0);
        const QString base = esperado.section(QLatin1Char(':'), 0, 0);
        const QString arquivo = (base == QLatin1String("programa") ? inst.Pasta
                                 : base == QLatin1String("xdg")    ? xdg.path() + QLatin1Char('/')
                                                                   : casa.path() + QLatin1Char('/')) +
                                esperado.section(QLatin1Char(':'), 1);
        QVERIFY2(Le(arquivo).startsWith(Bytes("[PRINCIPAL]\r\nIndEstado=0\r\n")), qPrintable(arquivo + r.Erro));
        // Nothing else anywhere: beside the program only what was there, or
        // the settings file; no other file in the two user folders.
        QStringList esperadosNaPasta = arquivos;
        if (base == QLatin1String("programa")) esperadosNaPasta << QStringLiteral("Tormel21.ini");
        esperadosNaPasta.sort();
        QCOMPARE(inst.ArquivosDaPasta(), esperadosNaPasta);
        // (The home folder may get font caches: only its .config counts.)
        const auto arquivosEm = [](const QString& pasta, const QString& sub) {
            QStringList todos;
            QDirIterator it(pasta + sub, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) todos << QDir(pasta).relativeFilePath(it.next());
            return todos;
        };
        const QStringList so{esperado.section(QLatin1Char(':'), 1)};
        QCOMPARE(arquivosEm(xdg.path(), QString()), base == QLatin1String("xdg") ? so : QStringList{});
        QCOMPARE(arquivosEm(casa.path(), QStringLiteral("/.config")),
                 base == QLatin1String("casa") ? so : QStringList{});
        if (base != QLatin1String("programa")) {
            struct stat st {};
            QCOMPARE(::stat(qPrintable(QFileInfo(arquivo).path()), &st), 0);
            QCOMPARE(st.st_mode & 0777, 0700u);   // the new folder is the user's own
        }
    }

    // A missing help file does not stop the start; it is reported when help
    // is asked for.
    void arquivoDeAjudaAusente() {
        TInstalacao inst;
        QVERIFY(QFile::remove(inst.Pasta + QStringLiteral("Tormel21.hlp")));
        TResultado r = inst.Executa(QStringLiteral("cancel"));
        QCOMPARE(r.Status, 0);
        QVERIFY(r.Linhas(QStringLiteral("CAIXA")).isEmpty());
        r = inst.Executa(QStringLiteral("cancel+ajuda"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")),
                 QStringList{QStringLiteral("CAIXA Tormel 2.1|O arquivo de ajuda ") + inst.Pasta +
                             QStringLiteral("Tormel21.hlp não foi encontrado. A ajuda não está disponível.")});
        QVERIFY(r.Linhas(QStringLiteral("AJUDA")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestePrograma)
#include "ProgramaTest.moc"

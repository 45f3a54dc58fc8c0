// The program as a process on bad data: every run ends in a box naming what
// is wrong or in the specified behaviour, with the settings file either
// written as it should be or left as it was.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "PastaJanela.h"
#include "platform/Cp1252.h"
#include "suporte/ProgramaDeTeste.h"

namespace {

// The test build of the program (it plays the user: "ok" clicks "&Fechar",
// "cancel" "&Cancelar") installed in <tmp>/bin beside the data folder.
class TInstalacao : public TPastaJanela {
public:
    TInstalacao() {
        Pasta = QString::fromStdString(Programa());
        Ini = Pasta + QStringLiteral("Tormel21.ini");
        PastaDoUsuario = Raiz() + QStringLiteral("/xdg/tormel21/");
        IniDoUsuario = PastaDoUsuario + QStringLiteral("Tormel21.ini");
        if (!QFile::copy(QStringLiteral(TORMEL21_TESTE), Pasta + QStringLiteral("tormel21")) ||
            !QFile::copy(QStringLiteral(TORMEL21_ARQUIVO_AJUDA), Pasta + QStringLiteral("Tormel21.hlp")))
            qFatal("cannot install the test program");
    }
    void EscreveIni(const QByteArray& dados) const {
        QFile f(Ini);
        if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size()) qFatal("cannot write the settings");
    }
    // semPermissao: run as a user who may write neither the program folder
    // nor the user's settings folder, $XDG_CONFIG_HOME/tormel21/ =
    // PastaDoUsuario (root writes anywhere, so the child gives root up first).
    TResultado Executa(const QString& acao, bool semPermissao = false) const {
        std::function<void()> noFilho;
        const QByteArray xdgAntes = qgetenv("XDG_CONFIG_HOME");
        if (semPermissao) {
            ::chmod(QFile::encodeName(Raiz()).constData(), 0755);
            ::chmod(QFile::encodeName(Pasta).constData(), 0555);
            QDir().mkpath(PastaDoUsuario);
            ::chmod(QFile::encodeName(PastaDoUsuario).constData(), 0555);
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(Raiz() + QStringLiteral("/xdg")));
            noFilho = [] {
                if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
            };
        }
        const TResultado r = ExecutaProgramaDeTeste(Pasta + QStringLiteral("tormel21"), acao, QString(), noFilho);
        if (semPermissao) {
            ::chmod(QFile::encodeName(Pasta).constData(), 0755);
            ::chmod(QFile::encodeName(PastaDoUsuario).constData(), 0755);
            qputenv("XDG_CONFIG_HOME", xdgAntes);
        }
        return r;
    }
    QStringList Arquivos() const { return QDir(Pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QString Pasta, Ini, PastaDoUsuario, IniDoUsuario;
};

const char* const kMinas = "[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=1\r\nIndLocalidade=-1\r\n";

}  // namespace

class TesteProgramaRuim : public QObject {
    Q_OBJECT

private slots:
    // "&Fechar" where the settings file cannot be written (a read-only
    // program folder sends it to the user's settings folder, read-only as
    // well here): the error box and standard error name the file, the status
    // is 1, the file is as it was.
    void pastaDoProgramaSemPermissaoDeGravacao_data() {
        QTest::addColumn<bool>("existe");
        QTest::newRow("arquivo existente") << true;
        QTest::newRow("sem arquivo") << false;
    }
    void pastaDoProgramaSemPermissaoDeGravacao() {
        QFETCH(bool, existe);
        TInstalacao inst;
        const QByteArray antes = Bytes(kMinas) + Bytes("; meu comentário\r\n");
        QVERIFY(QDir().mkpath(inst.PastaDoUsuario));
        if (existe) {
            QFile f(inst.IniDoUsuario);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(antes) == antes.size());
        }
        const QStringList arquivos = inst.Arquivos();
        const TResultado r = inst.Executa(QStringLiteral("ok"), true);
        QVERIFY2(r.Status != 99, "could not give up root");
        QCOMPARE(r.Status, 1);
        const QString linha = QStringLiteral("EInOutError: Não foi possível gravar o arquivo \"%1\": %2")
                                  .arg(inst.IniDoUsuario, QString::fromLocal8Bit(std::strerror(EACCES)));
        QVERIFY2(r.Erro.split(QLatin1Char('\n')).contains(linha), qPrintable(r.Erro));
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList{QStringLiteral("CAIXA Tormel 2.1|") + linha});
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).size(), 1);
        QCOMPARE(inst.Arquivos(), arquivos);
        QCOMPARE(QDir(inst.PastaDoUsuario).entryList(QDir::Files | QDir::Hidden),
                 existe ? QStringList{"Tormel21.ini"} : QStringList{});
        if (existe) QCOMPARE(Le(inst.IniDoUsuario), antes);
    }

    // Binary garbage around the section: read as if absent where it is not
    // the five keys, and kept byte for byte by the write.
    void configuracaoComLixoBinario() {
        TInstalacao inst;
        QByteArray lixo;
        for (int i = 0; i < 2048; ++i) lixo += static_cast<char>((i * 7919 + 13) % 256 == '[' ? 0 : (i * 7919 + 13) % 256);
        inst.EscreveIni(lixo + "\r\n" + Bytes(kMinas) + lixo);
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList());
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).size(), 1);
        QVERIFY(r.Linhas(QStringLiteral("JANELA"))[0].startsWith(QStringLiteral("JANELA estado=12 estacao=1 ")));
        // Only the two new lines were added (with the file's first line end, a
        // lone CR here); every other byte is as it was.
        QByteArray depois = Le(inst.Ini);
        for (const char* nova : {"Latitude=21°45'00\"\r\n", "Latitude=21°45'00\"\n", "Latitude=21°45'00\"\r",
                                 "Longitude=43°21'00\"\r\n", "Longitude=43°21'00\"\n", "Longitude=43°21'00\"\r"}) {
            const qsizetype onde = depois.indexOf(Bytes(nova));
            if (onde >= 0) depois.remove(onde, Bytes(nova).size());
        }
        QCOMPARE(depois, lixo + "\r\n" + Bytes(kMinas) + lixo);
    }

    // A "Latitude" of 200 characters: not a coordinate text, the box names
    // the piece that is not a number and the status is 1; beginning with a
    // coordinate, its pieces are read and the place the window shows is what
    // "&Fechar" stores, nine characters long.
    void latitudeDe200Caracteres() {
        TInstalacao inst;
        const QByteArray lixo = Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=-1\r\nIndLocalidade=-1\r\nLatitude=") +
                                QByteArray(200, 'x') + "\r\n";
        inst.EscreveIni(lixo);
        TResultado r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 1);
        const QString linha = QStringLiteral("EConvertError: 'xx' is not a valid floating point value (arquivo \"%1\", "
                                             "chave \"Latitude\")")
                                  .arg(inst.Ini);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList{QStringLiteral("CAIXA Tormel 2.1|") + linha});
        QCOMPARE(Le(inst.Ini), lixo);

        const QByteArray longa = Bytes("19°55'00\"") + QByteArray(191, '9');
        inst.EscreveIni(Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=-1\r\nIndLocalidade=-1\r\nLatitude=") + longa +
                        Bytes("\r\nLongitude=43°56'00\"\r\n"));
        r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")), QStringList());
        QCOMPARE(Le(inst.Ini), Bytes("[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=-1\r\nIndLocalidade=-1\r\n"
                                     "Latitude=19°55'00\"\r\nLongitude=43°56'00\"\r\n"));
    }

    // The data folder is a file: the component's own message, status 1.
    void pastaDeDadosQueEArquivo() {
        TInstalacao inst;
        inst.EscreveIni(Bytes(kMinas));
        QDir(inst.Dados()).removeRecursively();
        QFile f(inst.Raiz() + QStringLiteral("/Arquivos Comuns"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("não sou uma pasta");
        f.close();
        const TResultado r = inst.Executa(QStringLiteral("ok"));
        QCOMPARE(r.Status, 1);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")),
                 QStringList{QStringLiteral("CAIXA Tormel 2.1|Exception: Erro. Não foi possível localizar a pasta "
                                            "contendo o banco de dados.")});
        QCOMPARE(Le(inst.Ini), Bytes(kMinas));
    }

    // Bad data files at the start: the station file's error is shown by the
    // window's creation and the window opens all the same (with no stations);
    // the locality file's by the activation's state selection. "&Cancelar"
    // then ends normally and stores nothing.
    void arquivosDeDadosRuinsNaPartida_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QByteArray>("dados");
        QTest::addColumn<QString>("defeito");
        const QByteArray estacoes = TPastaJanela::ArquivoEstacoes();
        const QByteArray localidades = TPastaJanela::ArquivoLocalidades();
        const QString vazio = QStringLiteral("está vazio: falta o byte inicial.");
        QTest::newRow("estações, zero bytes") << "Estados_Tor21.bin" << QByteArray() << vazio;
        QTest::newRow("estações, corte numa contagem")
            << "Estados_Tor21.bin" << estacoes.left(1 + (2 + 152) + 2 * 2 + 1)
            << QStringLiteral("está incompleto: os dados terminam no bloco do estado 3 (Amazonas).");
        QTest::newRow("estações, corte num registro")
            << "Estados_Tor21.bin" << estacoes.left(estacoes.size() - 14 * 2 - 100)
            << QStringLiteral("está incompleto: os dados terminam no bloco do estado 12 (Minas Gerais).");
        QTest::newRow("estações, contagem enorme")
            << "Estados_Tor21.bin" << QByteArray("\0\xff\xff", 3) + estacoes.mid(1, 200)
            << QStringLiteral("está incompleto: os dados terminam no bloco do estado 0 (Acre).");
        QTest::newRow("localidades, zero bytes") << "Localidades_Tor21.bin" << QByteArray() << vazio;
        QTest::newRow("localidades, corte num registro")
            << "Localidades_Tor21.bin" << localidades.left(localidades.size() - 14 * 2 - 1)
            << QStringLiteral("está incompleto: os dados terminam no bloco do estado 12 (Minas Gerais).");
    }
    void arquivosDeDadosRuinsNaPartida() {
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, dados);
        QFETCH(QString, defeito);
        TInstalacao inst;
        inst.EscreveIni(Bytes(kMinas));
        inst.Grava(arquivo, dados);
        const TResultado r = inst.Executa(QStringLiteral("cancel"));
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Linhas(QStringLiteral("CAIXA")),
                 QStringList{QStringLiteral("CAIXA Tormel 2.1|O arquivo %1 %2")
                                 .arg(inst.CaminhoComoOProgramaVe(arquivo), defeito)});
        QCOMPARE(r.Linhas(QStringLiteral("JANELA")).size(), 1);
        QCOMPARE(Le(inst.Ini), Bytes(kMinas));
    }
};

QTEST_GUILESS_MAIN(TesteProgramaRuim)
#include "ProgramaRuimTest.moc"

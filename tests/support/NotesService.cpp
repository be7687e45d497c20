#include "support/NotesService.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QUrl>

TNotesService::TNotesService(QStringList pArgumentos) : vArgumentos(std::move(pArgumentos)) {}

TNotesService::~TNotesService()
{
    Parar();
}

QString TNotesService::Executavel()
{
    return QStringLiteral(TARNWICK_NOTES_SERVICE_EXE);
}

bool TNotesService::Iniciar(int pEsperaMs)
{
    Parar();
    if (!vPasta.isValid()) {
        vErro = QStringLiteral("no temporary folder for the request log");
        return false;
    }
    QStringList xArgumentos = vArgumentos;
    xArgumentos << QStringLiteral("--port") << QString::number(vPortaFixa) << QStringLiteral("--quiet")
                << QStringLiteral("--request-log")
                << CaminhoNoHospedeiro(vPasta.filePath(QStringLiteral("requests.log")));
    if (!vProcesso.Iniciar(Executavel(), xArgumentos)) {
        vErro = vProcesso.Erro();
        return false;
    }
    const QDeadlineTimer xPrazo(pEsperaMs);
    while (!vProcesso.Saida().contains('\n') && !xPrazo.hasExpired() && vProcesso.EmExecucao())
        vProcesso.EsperaSaida(static_cast<int>(qMax<qint64>(1, xPrazo.remainingTime())));
    const QByteArray xSaida = vProcesso.Saida();
    const QByteArray xPrefixo = "listening on 127.0.0.1:";
    const QByteArray xLinha = xSaida.left(xSaida.indexOf('\n')).trimmed();
    if (!xLinha.startsWith(xPrefixo)) {
        vErro = QStringLiteral("the stand-in did not come up: %1 %2")
                    .arg(QString::fromUtf8(xSaida), QString::fromUtf8(vProcesso.Erros()));
        Parar();
        return false;
    }
    vPorta = static_cast<quint16>(xLinha.mid(xPrefixo.size()).toUInt());
    return vPorta != 0;
}

void TNotesService::Parar()
{
    vProcesso.Parar();
    vPorta = 0;
}

QString TNotesService::UrlBase() const
{
    return QStringLiteral("http://127.0.0.1:%1/RecepcaoNF").arg(vPorta);
}

QString TNotesService::UrlBaseComFalha(const QString& pFalha) const
{
    return QStringLiteral("http://127.0.0.1:%1/_fault/%2/RecepcaoNF")
        .arg(vPorta)
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(pFalha, ",:")));
}

QStringList TNotesService::LinhasRecebidas() const
{
    QFile xArquivo(vPasta.filePath(QStringLiteral("requests.log")));
    if (!xArquivo.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(xArquivo.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QString TNotesService::UltimaQuery() const
{
    const QStringList xLinhas = LinhasRecebidas();
    if (xLinhas.isEmpty())
        return {};
    const QString xAlvo = xLinhas.last().section(u' ', 1, 1);
    const qsizetype xInterrogacao = xAlvo.indexOf(u'?');
    return xInterrogacao < 0 ? QString() : xAlvo.mid(xInterrogacao + 1);
}

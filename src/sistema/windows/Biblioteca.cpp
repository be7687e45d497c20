#include "sistema/Biblioteca.h"

#include "sistema/ErroSistema.h"
#include "sistema/Pastas.h"
#include "sistema/windows/CaminhoWindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <windows.h>

namespace Biblioteca {

void ProtegeBusca()
{
    // The program's folder, System32 and folders added on purpose: no working folder, no PATH, for every
    // LoadLibrary that follows, Qt's and the Firebird client's own included. The working folder also
    // leaves the older search order, for whatever loads by the classic rules.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    SetDllDirectoryW(L"");
}

QStringList NomesClienteFirebird()
{
    return {QStringLiteral("fbclient.dll"), QStringLiteral("gds32.dll")};
}

namespace {

const wchar_t* const CHAVE_INSTANCIAS = L"SOFTWARE\\Firebird Project\\Firebird Server\\Instances";

// The folders of the Firebird instances registered in one view of the registry, in the key's order
// (DefaultInstance on a normal installation).
QStringList PastasInstancias(REGSAM pVisao)
{
    QStringList xPastas;
    HKEY xChave = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, CHAVE_INSTANCIAS, 0, KEY_READ | pVisao, &xChave) != ERROR_SUCCESS)
        return xPastas;
    for (DWORD i = 0;; ++i) {
        wchar_t xNome[256];
        DWORD xTamanhoNome = 256;
        wchar_t xValor[MAX_PATH * 2] = {};
        DWORD xTamanhoValor = sizeof xValor - sizeof(wchar_t); // room for the ending a value may lack
        DWORD xTipo = 0;
        const LSTATUS xResultado = RegEnumValueW(xChave, i, xNome, &xTamanhoNome, nullptr, &xTipo,
                                                 reinterpret_cast<BYTE*>(xValor), &xTamanhoValor);
        if (xResultado == ERROR_NO_MORE_ITEMS)
            break;
        if (xResultado != ERROR_SUCCESS || (xTipo != REG_SZ && xTipo != REG_EXPAND_SZ))
            continue;
        QString xPasta = QString::fromWCharArray(xValor).trimmed();
        if (xTipo == REG_EXPAND_SZ) {
            wchar_t xExpandido[MAX_PATH * 2];
            const DWORD xTamanho = ExpandEnvironmentStringsW(xValor, xExpandido, MAX_PATH * 2);
            if (xTamanho > 0 && xTamanho <= MAX_PATH * 2)
                xPasta = QString::fromWCharArray(xExpandido).trimmed();
        }
        xPasta = QDir::fromNativeSeparators(xPasta);
        while (xPasta.endsWith(u'/'))
            xPasta.chop(1);
        if (QDir::isAbsolutePath(xPasta) && !xPastas.contains(xPasta, Qt::CaseInsensitive))
            xPastas << xPasta;
    }
    RegCloseKey(xChave);
    return xPastas;
}

QString PastaDoSistema(UINT (*pConsulta)(LPWSTR, UINT))
{
    wchar_t xPasta[MAX_PATH];
    const UINT xTamanho = pConsulta(xPasta, MAX_PATH);
    if (xTamanho == 0 || xTamanho >= MAX_PATH)
        return {};
    return QDir::fromNativeSeparators(QString::fromWCharArray(xPasta, int(xTamanho)));
}

UINT PastaSysWow64(LPWSTR pPasta, UINT pTamanho)
{
    return GetSystemWow64DirectoryW(pPasta, pTamanho);
}

// The processor a Windows library was built for (its PE header's machine field); 0 when the file is no
// PE file or cannot be read.
quint16 Processador(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    if (!xArquivo.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray xDos = xArquivo.read(64);
    if (xDos.size() < 64 || !xDos.startsWith("MZ"))
        return 0;
    const quint32 xPosicao = qFromLittleEndian<quint32>(xDos.constData() + 0x3c);
    if (!xArquivo.seek(xPosicao))
        return 0;
    const QByteArray xPe = xArquivo.read(6);
    if (xPe.size() < 6 || !xPe.startsWith(QByteArray("PE\0\0", 4)))
        return 0;
    return qFromLittleEndian<quint16>(xPe.constData() + 4);
}

// The DLLs a 64-bit PE file imports directly, from its import table; empty when it cannot be read.
QStringList Importacoes(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    if (!xArquivo.open(QIODevice::ReadOnly))
        return {};
    const QByteArray xDados = xArquivo.readAll();
    const auto Le32 = [&xDados](qint64 pPos) -> qint64 {
        return pPos >= 0 && pPos + 4 <= xDados.size() ? qFromLittleEndian<quint32>(xDados.constData() + pPos)
                                                      : -1;
    };
    const auto Le16 = [&xDados](qint64 pPos) -> qint64 {
        return pPos >= 0 && pPos + 2 <= xDados.size() ? qFromLittleEndian<quint16>(xDados.constData() + pPos)
                                                      : -1;
    };
    const qint64 xPe = Le32(0x3c);
    const qint64 xSecoes = Le16(xPe + 6);
    const qint64 xOpcional = xPe + 24;
    const qint64 xTamanhoOpcional = Le16(xPe + 20);
    if (xPe < 0 || xSecoes <= 0 || xTamanhoOpcional < 0 || Le16(xOpcional) != 0x20b) // PE32+ only
        return {};
    // The position in the file of an address of the loaded image, through the section holding it.
    const auto Posicao = [&](qint64 pEndereco) -> qint64 {
        for (qint64 i = 0; i < xSecoes; ++i) {
            const qint64 xSecao = xOpcional + xTamanhoOpcional + i * 40;
            const qint64 xVirtual = Le32(xSecao + 12), xTamanho = qMax(Le32(xSecao + 8), Le32(xSecao + 16));
            if (xVirtual >= 0 && pEndereco >= xVirtual && pEndereco < xVirtual + xTamanho)
                return pEndereco - xVirtual + Le32(xSecao + 20);
        }
        return -1;
    };
    QStringList xNomes;
    qint64 xDescritor = Posicao(Le32(xOpcional + 112 + 8)); // data directory 1: the imports
    for (int i = 0; xDescritor >= 0 && i < 1000; ++i, xDescritor += 20) {
        const qint64 xNome = Le32(xDescritor + 12);
        if (xNome <= 0)
            break;
        const qint64 xPosNome = Posicao(xNome);
        if (xPosNome < 0)
            break;
        const qsizetype xFim = xDados.indexOf('\0', xPosNome);
        if (xFim < 0)
            break;
        xNomes << QString::fromLatin1(xDados.mid(xPosNome, xFim - xPosNome));
    }
    return xNomes;
}

// Of the DLLs pArquivo imports, those found neither loaded, nor beside it, nor in the system's folder:
// what a client copied without its runtime lacks.
QStringList DependenciasAusentes(const QString& pArquivo, const QString& pPastaSistema)
{
    QStringList xAusentes;
    const QString xPasta = QFileInfo(pArquivo).absolutePath();
    for (const QString& xNome : Importacoes(pArquivo)) {
        if (xNome.startsWith(QStringLiteral("api-ms-"), Qt::CaseInsensitive) ||
            xNome.startsWith(QStringLiteral("ext-ms-"), Qt::CaseInsensitive))
            continue; // the system's own API sets, never files
        if (GetModuleHandleW(reinterpret_cast<const wchar_t*>(xNome.utf16())) ||
            QFileInfo::exists(xPasta + u'/' + xNome) ||
            (!pPastaSistema.isEmpty() && QFileInfo::exists(pPastaSistema + u'/' + xNome)))
            continue;
        xAusentes << xNome;
    }
    return xAusentes;
}

constexpr quint16 PROCESSADOR_I386 = 0x014c;
constexpr quint16 PROCESSADOR_AMD64 = 0x8664;

QString Nativo(const QString& pCaminho)
{
    return QDir::toNativeSeparators(pCaminho);
}

} // namespace

QStringList CandidatosClienteFirebird()
{
    const QStringList xNomes = NomesClienteFirebird();
    const QString& xFbclient = xNomes.first();
    const QString xPrograma = QFileInfo(CaminhoExecutavel()).absolutePath();
    QStringList xCandidatos;
    const auto Acrescenta = [&xCandidatos](const QString& pCaminho) {
        if (!xCandidatos.contains(pCaminho, Qt::CaseInsensitive))
            xCandidatos << pCaminho;
    };
    // The customer's own copy beside the program, as Firebird's documentation tells applications to do.
    for (const QString& xNome : xNomes)
        Acrescenta(xPrograma + u'/' + xNome);
    // The Firebird installed on this PC: Firebird 3 keeps its client in its root, older ones in bin.
    for (const REGSAM xVisao : {REGSAM(KEY_WOW64_64KEY), REGSAM(KEY_WOW64_32KEY)})
        for (const QString& xPasta : PastasInstancias(xVisao)) {
            Acrescenta(xPasta + u'/' + xFbclient);
            Acrescenta(xPasta + QStringLiteral("/bin/") + xFbclient);
        }
    // Where Firebird's installer copies the client when asked to.
    for (const QString& xPasta : {PastaDoSistema(GetSystemDirectoryW), PastaDoSistema(PastaSysWow64)})
        if (!xPasta.isEmpty())
            for (const QString& xNome : xNomes)
                Acrescenta(xPasta + u'/' + xNome);
    // Ours, when none of the customer's can be used.
    Acrescenta(xPrograma + QStringLiteral("/firebird/") + xFbclient);
    return xCandidatos;
}

void* Carrega(const QString& pCandidato, TFalha* pFalha)
{
    TFalha xFalha;
    HMODULE xBiblioteca = nullptr;
    const QString xNativo = Nativo(pCandidato);
    if (!QDir::isAbsolutePath(pCandidato)) {
        // A bare name would be looked for by the system's search: never for the client.
        xFalha = {TRecusa::Outra, xNativo + QStringLiteral(": não é um caminho completo")};
    } else if (!QFileInfo(pCandidato).isFile()) {
        xFalha = {TRecusa::Ausente, xNativo + QStringLiteral(": não encontrado")};
    } else if (const quint16 xProcessador = Processador(pCandidato); xProcessador == PROCESSADOR_I386) {
        xFalha = {TRecusa::Arquitetura,
                  xNativo + QStringLiteral(": é de 32 bits; o Tarnwick é um programa de 64 bits e precisa "
                                           "do cliente do Firebird de 64 bits")};
    } else if (xProcessador != 0 && xProcessador != PROCESSADOR_AMD64) {
        xFalha = {TRecusa::Arquitetura,
                  xNativo + QStringLiteral(": não é uma biblioteca para processadores x64 (tipo %1)")
                                .arg(xProcessador, 4, 16, QLatin1Char('0'))};
    } else {
        // The libraries it needs are looked for beside it (the Visual C++ runtime Firebird installs with
        // its client) and in the system's folders only.
        xBiblioteca = LoadLibraryExW(TCaminhoWindows(pCandidato).c_str(), nullptr,
                                     LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        if (!xBiblioteca) {
            const TErroSistema xErro = TErroSistema::Ultimo();
            if (xErro.Codigo() == ERROR_MOD_NOT_FOUND) {
                // The file is there: what is missing is a library it needs, named when it is one of
                // those it imports itself.
                const QStringList xAusentes =
                    DependenciasAusentes(pCandidato, PastaDoSistema(GetSystemDirectoryW));
                xFalha = {TRecusa::Dependencia,
                          xNativo +
                              (xAusentes.isEmpty()
                                   ? QStringLiteral(": falta uma DLL de que ela precisa")
                                   : QStringLiteral(": falta a DLL %1, de que ela precisa")
                                         .arg(xAusentes.join(QStringLiteral(", ")))) +
                              QStringLiteral(" (o runtime do Visual C++ que acompanha o Firebird, por "
                                             "exemplo)")};
            }
            else if (xErro.Codigo() == ERROR_BAD_EXE_FORMAT)
                xFalha = {TRecusa::Arquitetura,
                          xNativo + QStringLiteral(": não é uma biblioteca do Windows de 64 bits")};
            else
                xFalha = {TRecusa::Outra, xNativo + QStringLiteral(": ") + xErro.Mensagem().trimmed()};
        }
    }
    if (pFalha)
        *pFalha = xFalha;
    return reinterpret_cast<void*>(xBiblioteca);
}

QString Caminho(void* pBiblioteca)
{
    wchar_t xCaminho[32768];
    const DWORD xTamanho = GetModuleFileNameW(static_cast<HMODULE>(pBiblioteca), xCaminho, 32768);
    if (xTamanho == 0 || xTamanho >= 32768)
        return {};
    QString xTexto = QString::fromWCharArray(xCaminho, int(xTamanho));
    if (xTexto.startsWith(QStringLiteral("\\\\?\\")) && !xTexto.startsWith(QStringLiteral("\\\\?\\UNC\\")))
        xTexto.remove(0, 4);
    return xTexto;
}

void* Funcao(void* pBiblioteca, const char* pNome)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(pBiblioteca), pNome));
}

void Descarrega(void* pBiblioteca)
{
    FreeLibrary(static_cast<HMODULE>(pBiblioteca));
}

} // namespace Biblioteca

#include "sistema/Pastas.h"

#include "sistema/windows/CaminhoWindows.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <shlobj.h>
#include <windows.h>

namespace {

// A folder of the user's profile: the variable when it holds an absolute path, else the shell's answer.
QString PastaConhecida(const char* pVariavel, REFKNOWNFOLDERID pPasta)
{
    const QString xVariavel = qEnvironmentVariable(pVariavel);
    if (!xVariavel.isEmpty() && QDir::isAbsolutePath(xVariavel))
        return QDir::fromNativeSeparators(xVariavel);
    wchar_t* xCaminho = nullptr;
    QString xResultado;
    if (SHGetKnownFolderPath(pPasta, KF_FLAG_DEFAULT, nullptr, &xCaminho) == S_OK)
        xResultado = QDir::fromNativeSeparators(QString::fromWCharArray(xCaminho));
    CoTaskMemFree(xCaminho);
    return xResultado.isEmpty() ? QDir::homePath() : xResultado;
}

QString ComSeparador(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

// The folder of the installation for all users (its uninstall entry's "InstallLocation"), or nothing.
QString PastaInstalacaoTodos()
{
    HKEY xChave = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &xChave) != ERROR_SUCCESS)
        return {};
    wchar_t xValor[MAX_PATH * 2] = {};
    DWORD xTamanho = sizeof xValor - sizeof(wchar_t);
    const LSTATUS xLido =
        RegGetValueW(xChave, nullptr, L"InstallLocation", RRF_RT_REG_SZ, nullptr, xValor, &xTamanho);
    RegCloseKey(xChave);
    return xLido == ERROR_SUCCESS ? QDir::fromNativeSeparators(QString::fromWCharArray(xValor)) : QString();
}

} // namespace

QString CaminhoExecutavel()
{
    std::wstring xCaminho(MAX_PATH, L'\0');
    for (;;) {
        const DWORD xTamanho = GetModuleFileNameW(nullptr, xCaminho.data(), DWORD(xCaminho.size()));
        if (xTamanho == 0)
            return {};
        if (xTamanho < xCaminho.size())
            return QDir::fromNativeSeparators(QString::fromWCharArray(xCaminho.data(), int(xTamanho)));
        xCaminho.resize(xCaminho.size() * 2);
    }
}

bool ProgramaDoSistema(const QString& pExecutavel)
{
    const QString xCaminho = QDir::cleanPath(QFileInfo(pExecutavel).absoluteFilePath());
    for (const char* xVariavel : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"}) {
        const QString xPasta = QDir::cleanPath(QDir::fromNativeSeparators(qEnvironmentVariable(xVariavel)));
        if (!xPasta.isEmpty() && xCaminho.startsWith(ComSeparador(xPasta), Qt::CaseInsensitive))
            return true;
    }
    // Installed for all users into a folder of the administrator's choice: users cannot write there.
    const QString xTodos = PastaInstalacaoTodos();
    return !xTodos.isEmpty() &&
           QFileInfo(xCaminho).absolutePath().compare(QDir::cleanPath(xTodos), Qt::CaseInsensitive) == 0;
}

QString PastaPessoalDoUsuario()
{
    return QDir::cleanPath(PastaConhecida("USERPROFILE", FOLDERID_Profile));
}

QString PastaLogDoUsuario()
{
    return ComSeparador(PastaConhecida("LOCALAPPDATA", FOLDERID_LocalAppData)) +
           QStringLiteral("Tarnwick/log/");
}

QString PastaConfiguracaoDoUsuario()
{
    return QDir::cleanPath(PastaConhecida("APPDATA", FOLDERID_RoamingAppData) + QStringLiteral("/Tarnwick"));
}

bool CriaPastaPrivada(const QString& pPasta)
{
    const QString xLimpa = QDir::cleanPath(pPasta);
    qsizetype xFim = 0;
    while (xFim >= 0) {
        xFim = xLimpa.indexOf(u'/', xFim + 1);
        const QString xParte = xFim < 0 ? xLimpa : xLimpa.left(xFim);
        // A drive ("C:") or a share ("//server/share") is not made: whether the folder is there at the
        // end decides.
        CreateDirectoryW(TCaminhoWindows(xParte).c_str(), nullptr);
    }
    return QFileInfo(xLimpa).isDir();
}

bool PastaGravavel(const QString& pPasta)
{
    const DWORD xAtributos = GetFileAttributesW(TCaminhoWindows(pPasta).c_str());
    if (xAtributos == INVALID_FILE_ATTRIBUTES || !(xAtributos & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // The folder's permissions are what a file created in it finds: one is created, and gone on closing.
    const QString xTeste = ComSeparador(QDir::fromNativeSeparators(pPasta)) +
                           QStringLiteral(".tarnwick-%1.tmp")
                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const HANDLE xHandle =
        CreateFileW(TCaminhoWindows(xTeste).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(xHandle);
    return true;
}

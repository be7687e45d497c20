#include "support/RecursosWindows.h"

#include <windows.h>

namespace {

QString Versao(DWORD pAlto, DWORD pBaixo)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(HIWORD(pAlto))
        .arg(LOWORD(pAlto))
        .arg(HIWORD(pBaixo))
        .arg(LOWORD(pBaixo));
}

QString Texto(const wchar_t* pTexto)
{
    return QString::fromWCharArray(pTexto);
}

#pragma pack(push, 2)
struct TEntradaGrupo // an entry of an icon group (RT_GROUP_ICON)
{
    BYTE Largura, Altura, Cores, Reservado;
    WORD Planos, Bits;
    DWORD Tamanho;
    WORD Id;
};
#pragma pack(pop)

BOOL CALLBACK PrimeiroNome(HMODULE, LPCWSTR, LPWSTR pNome, LONG_PTR pDestino)
{
    *reinterpret_cast<LPWSTR*>(pDestino) = pNome;
    return FALSE;
}

} // namespace

bool LeRecursos(const QString& pExecutavel, TRecursosExecutavel& pRecursos, QString& pErro)
{
    const std::wstring xCaminho = pExecutavel.toStdWString();
    DWORD xIgnorado = 0;
    const DWORD xTamanho = GetFileVersionInfoSizeW(xCaminho.c_str(), &xIgnorado);
    QByteArray xBloco(int(xTamanho), '\0');
    if (xTamanho == 0 || !GetFileVersionInfoW(xCaminho.c_str(), 0, xTamanho, xBloco.data())) {
        pErro = QStringLiteral("no version resource in %1 (error %2)").arg(pExecutavel).arg(GetLastError());
        return false;
    }
    VS_FIXEDFILEINFO* xFixo = nullptr;
    UINT xLido = 0;
    if (VerQueryValueW(xBloco.data(), L"\\", reinterpret_cast<void**>(&xFixo), &xLido) && xFixo) {
        pRecursos.VersaoArquivo = Versao(xFixo->dwFileVersionMS, xFixo->dwFileVersionLS);
        pRecursos.VersaoProduto = Versao(xFixo->dwProductVersionMS, xFixo->dwProductVersionLS);
    }
    WORD* xTraducoes = nullptr;
    if (VerQueryValueW(xBloco.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&xTraducoes),
                       &xLido))
        for (UINT i = 0; i + 1 < xLido / sizeof(WORD); i += 2)
            pRecursos.Traducoes << QStringLiteral("%1%2")
                                       .arg(xTraducoes[i], 4, 16, QLatin1Char('0'))
                                       .arg(xTraducoes[i + 1], 4, 16, QLatin1Char('0'))
                                       .toUpper();
    if (!pRecursos.Traducoes.isEmpty())
        for (const char* xNome : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                  "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}) {
            const std::wstring xChave = QStringLiteral("\\StringFileInfo\\%1\\%2")
                                            .arg(pRecursos.Traducoes.first(), QLatin1String(xNome))
                                            .toStdWString();
            wchar_t* xValor = nullptr;
            if (VerQueryValueW(xBloco.data(), xChave.c_str(), reinterpret_cast<void**>(&xValor), &xLido) &&
                xValor)
                pRecursos.Textos.insert(QLatin1String(xNome), Texto(xValor));
        }

    HMODULE xModulo =
        LoadLibraryExW(xCaminho.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!xModulo) {
        pErro = QStringLiteral("cannot open %1's resources (error %2)").arg(pExecutavel).arg(GetLastError());
        return false;
    }
    LPWSTR xGrupo = nullptr;
    EnumResourceNamesW(xModulo, MAKEINTRESOURCEW(14), PrimeiroNome, reinterpret_cast<LONG_PTR>(&xGrupo));
    if (HRSRC xRecurso = xGrupo ? FindResourceW(xModulo, xGrupo, MAKEINTRESOURCEW(14)) : nullptr) {
        const auto* xDados = static_cast<const BYTE*>(LockResource(LoadResource(xModulo, xRecurso)));
        const WORD xQuantos = xDados ? reinterpret_cast<const WORD*>(xDados)[2] : 0;
        const auto* xEntradas = reinterpret_cast<const TEntradaGrupo*>(xDados + 6);
        for (WORD i = 0; i < xQuantos; ++i)
            pRecursos.LadosIcone << (xEntradas[i].Largura == 0 ? 256 : int(xEntradas[i].Largura));
    }
    if (HRSRC xRecurso = FindResourceW(xModulo, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const auto* xDados = static_cast<const char*>(LockResource(LoadResource(xModulo, xRecurso)));
        pRecursos.Manifesto = QByteArray(xDados, int(SizeofResource(xModulo, xRecurso)));
    }
    FreeLibrary(xModulo);
    return true;
}

#include "sistema/AcessoArquivo.h"
#include "sistema/Retentativa.h"
#include "sistema/windows/CaminhoWindows.h"

#include <QRandomGenerator>
#include <windows.h>

#include <aclapi.h>

namespace {

HANDLE Handle(qintptr pArquivo)
{
    return reinterpret_cast<HANDLE>(pArquivo);
}

// Sharing as on POSIX: others may read, write, rename and remove the file while it is open.
constexpr DWORD COMPARTILHA_TUDO = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

TArquivoSistema Abre(const QString& pCaminho, DWORD pAcesso, DWORD pCompartilha, DWORD pDisposicao)
{
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), pAcesso, pCompartilha, nullptr,
                                       pDisposicao, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return TAcessoArquivo::Falho(TErroSistema::Ultimo(), pCaminho);
    return TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pCaminho);
}

} // namespace

TArquivoSistema::~TArquivoSistema()
{
    if (vArquivo != -1)
        CloseHandle(Handle(vArquivo));
}

TArquivoSistema::TArquivoSistema(TArquivoSistema&& pOutro) noexcept
    : vArquivo(pOutro.vArquivo), vErro(pOutro.vErro), vCaminho(std::move(pOutro.vCaminho))
{
    pOutro.vArquivo = -1;
}

TArquivoSistema& TArquivoSistema::operator=(TArquivoSistema&& pOutro) noexcept
{
    if (this != &pOutro) {
        if (vArquivo != -1)
            CloseHandle(Handle(vArquivo));
        vArquivo = pOutro.vArquivo;
        vErro = pOutro.vErro;
        vCaminho = std::move(pOutro.vCaminho);
        pOutro.vArquivo = -1;
    }
    return *this;
}

TArquivoSistema TArquivoSistema::CriaNovo(const QString& pCaminho)
{
    return Abre(pCaminho, GENERIC_WRITE, COMPARTILHA_TUDO, CREATE_NEW);
}

TArquivoSistema TArquivoSistema::CriaTemporarioAoLado(const QString& pCaminho)
{
    static const char LETRAS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int xTentativa = 0;; ++xTentativa) {
        QString xNome = pCaminho + u'.';
        for (int i = 0; i < 6; ++i)
            xNome += QLatin1Char(LETRAS[QRandomGenerator::global()->bounded(int(sizeof LETRAS - 1))]);
        TArquivoSistema xArquivo = Abre(xNome, GENERIC_READ | GENERIC_WRITE, COMPARTILHA_TUDO, CREATE_NEW);
        if (xArquivo.Aberto() || !xArquivo.Erro().NomeExiste() || xTentativa == 100)
            return xArquivo;
    }
}

TArquivoSistema TArquivoSistema::AbreLeituraEscrita(const QString& pCaminho)
{
    return Abre(pCaminho, GENERIC_READ | GENERIC_WRITE, COMPARTILHA_TUDO, OPEN_EXISTING);
}

TArquivoSistema TArquivoSistema::AbreParaAcrescentar(const QString& pCaminho)
{
    // Appending only, and readers alone may share it: a second writer's opening fails with a sharing
    // violation until this one closes the file.
    return Abre(pCaminho, FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, OPEN_ALWAYS);
}

bool TArquivoSistema::Aberto() const
{
    return vArquivo != -1;
}

bool TArquivoSistema::Falha()
{
    vErro = TErroSistema::Ultimo();
    return false;
}

bool TArquivoSistema::Escreve(const char* pDados, qint64 pTamanho)
{
    while (pTamanho > 0) {
        const DWORD xParte = DWORD(qMin<qint64>(pTamanho, 1 << 30));
        DWORD xEscritos = 0;
        if (!WriteFile(Handle(vArquivo), pDados, xParte, &xEscritos, nullptr))
            return Falha();
        if (xEscritos == 0) {
            vErro = TErroSistema(ERROR_WRITE_FAULT);
            return false;
        }
        pDados += xEscritos;
        pTamanho -= xEscritos;
    }
    return true;
}

qint64 TArquivoSistema::Le(char* pDados, qint64 pTamanho)
{
    DWORD xLidos = 0;
    if (!ReadFile(Handle(vArquivo), pDados, DWORD(qMin<qint64>(pTamanho, 1 << 30)), &xLidos, nullptr)) {
        if (GetLastError() == ERROR_HANDLE_EOF)
            return 0;
        Falha();
        return -1;
    }
    return xLidos;
}

qint64 TArquivoSistema::LeEm(qint64 pPosicao, char* pDados, qint64 pTamanho)
{
    // A positioned read moves the file pointer on Windows: it is put back afterwards.
    const qint64 xAtual = Posiciona(0, FILE_CURRENT);
    if (xAtual < 0)
        return -1;
    OVERLAPPED xOnde = {};
    xOnde.Offset = DWORD(quint64(pPosicao) & 0xFFFFFFFFu);
    xOnde.OffsetHigh = DWORD(quint64(pPosicao) >> 32);
    DWORD xLidos = 0;
    const bool xLeu =
        ReadFile(Handle(vArquivo), pDados, DWORD(qMin<qint64>(pTamanho, 1 << 30)), &xLidos, &xOnde);
    if (!xLeu && GetLastError() != ERROR_HANDLE_EOF) {
        Falha();
        Posiciona(xAtual, FILE_BEGIN);
        return -1;
    }
    Posiciona(xAtual, FILE_BEGIN);
    return xLeu ? qint64(xLidos) : 0;
}

qint64 TArquivoSistema::Posiciona(qint64 pDeslocamento, int pOrigem)
{
    LARGE_INTEGER xDistancia;
    xDistancia.QuadPart = pDeslocamento;
    LARGE_INTEGER xNova;
    // FILE_BEGIN, FILE_CURRENT and FILE_END are 0, 1 and 2, as SEEK_SET, SEEK_CUR and SEEK_END.
    if (!SetFilePointerEx(Handle(vArquivo), xDistancia, &xNova, DWORD(pOrigem))) {
        Falha();
        return -1;
    }
    return xNova.QuadPart;
}

qint64 TArquivoSistema::Tamanho()
{
    LARGE_INTEGER xTamanho;
    if (!GetFileSizeEx(Handle(vArquivo), &xTamanho)) {
        Falha();
        return -1;
    }
    return xTamanho.QuadPart;
}

bool TArquivoSistema::Trunca(qint64 pTamanho)
{
    const qint64 xAtual = Posiciona(0, FILE_CURRENT);
    if (xAtual < 0 || Posiciona(pTamanho, FILE_BEGIN) < 0)
        return false;
    if (!SetEndOfFile(Handle(vArquivo)))
        return Falha();
    return Posiciona(xAtual, FILE_BEGIN) >= 0; // the position stays, as ftruncate leaves it
}

bool TArquivoSistema::CopiaPermissoesDe(TArquivoSistema& pOutro)
{
    PACL xLista = nullptr;
    PSECURITY_DESCRIPTOR xDescritor = nullptr;
    DWORD xResultado = GetSecurityInfo(Handle(pOutro.vArquivo), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                       nullptr, nullptr, &xLista, nullptr, &xDescritor);
    if (xResultado != ERROR_SUCCESS) {
        vErro = TErroSistema(int(xResultado));
        return false;
    }
    // A list that takes nothing from its folder stays so. One that only holds what its folder passes on
    // is what this file, in the same folder, has already: nothing is asked of the system then (a
    // network share may refuse changing permissions while it allows writing).
    SECURITY_DESCRIPTOR_CONTROL xControle = 0;
    DWORD xRevisao = 0;
    const bool xProtegida = GetSecurityDescriptorControl(xDescritor, &xControle, &xRevisao) &&
                            (xControle & SE_DACL_PROTECTED);
    bool xPropria = xProtegida || xLista == nullptr;
    for (DWORD i = 0; !xPropria && i < xLista->AceCount; ++i) {
        void* xEntrada = nullptr;
        xPropria = GetAce(xLista, i, &xEntrada) &&
                   !(static_cast<const ACE_HEADER*>(xEntrada)->AceFlags & INHERITED_ACE);
    }
    xResultado = ERROR_SUCCESS;
    if (xPropria) {
        // Its own entries are given; the ones its folder passes on are inherited again by this file.
        const HANDLE xEste = CreateFileW(TCaminhoWindows(vCaminho).c_str(), WRITE_DAC, COMPARTILHA_TUDO, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (xEste == INVALID_HANDLE_VALUE) {
            xResultado = GetLastError();
        } else {
            xResultado = SetSecurityInfo(
                xEste, SE_FILE_OBJECT,
                DACL_SECURITY_INFORMATION |
                    (xProtegida ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION),
                nullptr, nullptr, xLista, nullptr);
            CloseHandle(xEste);
        }
    }
    LocalFree(xDescritor);
    // A list closed to the folder's entries must be carried over, or the file would open up; entries of
    // its own beside the inherited ones are carried where the system lets us (Wine gives every file
    // entries of its own and may refuse the change).
    if (xResultado != ERROR_SUCCESS && xProtegida) {
        vErro = TErroSistema(int(xResultado));
        return false;
    }
    return true;
}

bool TArquivoSistema::Sincroniza()
{
    return FlushFileBuffers(Handle(vArquivo)) || Falha();
}

bool TArquivoSistema::Fecha()
{
    if (vArquivo == -1)
        return true;
    const HANDLE xHandle = Handle(vArquivo);
    vArquivo = -1;
    return CloseHandle(xHandle) || Falha();
}

TErroSistema RemoveArquivo(const QString& pCaminho)
{
    const TCaminhoWindows xCaminho(pCaminho);
    return RepeteEnquantoOcupado(
        [&] { return DeleteFileW(xCaminho.c_str()) ? TErroSistema() : TErroSistema::Ultimo(); });
}

#pragma once

#include "sistema/ErroSistema.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// An open file of the operating system (a descriptor on POSIX, a HANDLE on Windows) for the few places
// that need more than QFile: exclusive creation, appending under an exclusive writer's hold, durable
// writes. Names go to the system as Unicode (UTF-16 on Windows), whatever the code page.
//
// The opening functions return an object that is open, or closed with Erro() telling why. Every
// operation that fails keeps its reason in Erro(). The file is closed exactly once: by Fecha, which
// reports a failure of the close itself, or by the destructor, which ignores it. One thread at a time
// may use an object.
class TArquivoSistema
{
public:
    TArquivoSistema() = default;
    ~TArquivoSistema();
    TArquivoSistema(TArquivoSistema&& pOutro) noexcept;
    TArquivoSistema& operator=(TArquivoSistema&& pOutro) noexcept;
    TArquivoSistema(const TArquivoSistema&) = delete;
    TArquivoSistema& operator=(const TArquivoSistema&) = delete;

    // A new file for writing, never one that exists (Erro().NomeExiste() then), even one that appeared a
    // moment ago. Readable and writable by all as the umask allows (POSIX); the folder's permissions
    // (Windows).
    static TArquivoSistema CriaNovo(const QString& pCaminho);
    // A new file beside pCaminho, named pCaminho + "." + six random characters, for a copy that will
    // replace it; readable and writable by its owner only (POSIX). Caminho() gives its name.
    static TArquivoSistema CriaTemporarioAoLado(const QString& pCaminho);
    // A file that exists, for reading and writing; it may still be renamed or removed while open.
    static TArquivoSistema AbreLeituraEscrita(const QString& pCaminho);
    // Opens pCaminho for appending, creating it when missing (never truncating it), and holds it as its
    // only writer: while open, another such opening of the file, from this process or another, fails;
    // readers are let in. Every write lands at the end of the file.
    static TArquivoSistema AbreParaAcrescentar(const QString& pCaminho);

    bool Aberto() const;
    const TErroSistema& Erro() const { return vErro; }
    const QString& Caminho() const { return vCaminho; }

    // Writes all pTamanho bytes, going on after partial writes and interruptions.
    bool Escreve(const char* pDados, qint64 pTamanho);
    bool Escreve(const QByteArray& pBytes) { return Escreve(pBytes.constData(), pBytes.size()); }
    // Reads up to pTamanho bytes from the current position; 0 at the end, -1 on failure.
    qint64 Le(char* pDados, qint64 pTamanho);
    // Reads up to pTamanho bytes at pPosicao, without moving the current position; -1 on failure.
    qint64 LeEm(qint64 pPosicao, char* pDados, qint64 pTamanho);
    // Moves the current position as lseek/SetFilePointerEx do (pOrigem: SEEK_SET, SEEK_CUR, SEEK_END
    // as 0, 1, 2); returns the new position, -1 on failure.
    qint64 Posiciona(qint64 pDeslocamento, int pOrigem);
    qint64 Tamanho(); // -1 on failure
    bool Trunca(qint64 pTamanho);
    // Gives this file the access permissions of pOutro: its mode on POSIX; on Windows its access control
    // list, when it has entries of its own (pOutro opened with READ_CONTROL; this file is opened again
    // by its name to change it).
    bool CopiaPermissoesDe(TArquivoSistema& pOutro);
    // Durable write: returns once what was written is on the disk (fsync, FlushFileBuffers). A file
    // system that cannot say (EINVAL on POSIX) counts as done.
    bool Sincroniza();
    // Closes the file; false when the system reported a failure (the file is closed all the same).
    bool Fecha();

private:
    friend struct TAcessoArquivo;
    bool Falha();

    qintptr vArquivo = -1; // descriptor or HANDLE; -1 when closed
    TErroSistema vErro;
    QString vCaminho;
};

// Removes the file pCaminho (not a folder), waiting within RepeteEnquantoOcupado's bound for another
// program that holds it for a moment (Windows).
TErroSistema RemoveArquivo(const QString& pCaminho);

#pragma once

#include "support/ProcessoHospedeiro.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The local stand-in of the notes service (tools/notes-service) for tests: started on 127.0.0.1 at a
// free port with the options given, stopped by Parar or the destructor. It records every request line
// it receives, so a test can check exactly what a client sent.
//
//   TNotesService xServico({"--per-branch", "250"});
//   QVERIFY2(xServico.Iniciar(), qPrintable(xServico.Erro()));
//   TRecepcaoNF::get().SetUrlBase(xServico.UrlBase());
//
// See `notes-service --help` for the options and the fault texts.
class TNotesService
{
public:
    explicit TNotesService(QStringList pArgumentos = {});
    ~TNotesService();
    TNotesService(const TNotesService&) = delete;
    TNotesService& operator=(const TNotesService&) = delete;

    // Starts it and waits until it listens; false (with Erro()) when it does not come up.
    bool Iniciar(int pEsperaMs = 10000);
    // Listens on pPorta instead of a free port: a program that is not told the address reaches the
    // service on its fixed port 2020. Fails to start when another program holds that port.
    void UsaPorta(quint16 pPorta) { vPortaFixa = pPorta; }
    void Parar();
    QString Erro() const { return vErro; }

    quint16 Porta() const { return vPorta; }
    // "http://127.0.0.1:<port>/RecepcaoNF", the client's base address for this server.
    QString UrlBase() const;
    // The base address under which every request plays the fault pFalha ("503", "delay:2000", ...).
    QString UrlBaseComFalha(const QString& pFalha) const;

    // The request lines received so far, oldest first: "GET /RecepcaoNF/v1/nota?cnpj=... HTTP/1.1".
    QStringList LinhasRecebidas() const;
    // The query string of the last request received (after "?"), empty when none came.
    QString UltimaQuery() const;

    // The stand-in executable of this build.
    static QString Executavel();

private:
    QStringList vArgumentos;
    TProcessoHospedeiro vProcesso;
    QTemporaryDir vPasta;
    quint16 vPorta = 0;
    quint16 vPortaFixa = 0;
    QString vErro;
};

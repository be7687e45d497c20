#pragma once

#include "download/run/DownloadView.h"

#include <QStringList>
#include <functional>

// A window stand-in for the download run: records every call in order, as one text per call
// ("status0:<text>", "status1:<text>", "gaugeMax:<n>", "gauge:<n>", "eventos", "alerta:<text>",
// "erro:<text>", "info:<text>", "classico:1", "cursor:1", "enable:0", "limpa", "valida", "pasta"),
// and lets a test act at a chosen point through AoProcessarEventos (set vInterromper, for instance).
class TVisaoFalsa : public IDownloadView
{
public:
    TEstadoDownload vEstado;
    TListaFiliais vFiliais;
    TCaixasDownload vCaixas;
    TFiltrosDownload vFiltros{QStringLiteral("01/01/2024"), QStringLiteral("31/12/2024"),
                              QStringLiteral("00000001"),   QStringLiteral("99999999"),
                              QStringLiteral("1"),          QStringLiteral("99")};
    QString vPasta;
    bool vValida = true;
    std::function<void()> vValidaFalha; // raises from ValidaCampos when set
    std::function<void(TVisaoFalsa&)> AoProcessarEventos;

    QStringList vEventos;
    int vGauge = 0;
    int vGaugeMax = 0;
    QString vStatus[2];

    QStringList Dialogos() const
    {
        QStringList xDialogos;
        for (const QString& xEvento : vEventos)
            if (xEvento.startsWith(QLatin1String("info:")) || xEvento.startsWith(QLatin1String("erro:")) ||
                xEvento.startsWith(QLatin1String("alerta:")))
                xDialogos << xEvento;
        return xDialogos;
    }
    QStringList Com(const QString& pPrefixo) const
    {
        QStringList xSaida;
        for (const QString& xEvento : vEventos)
            if (xEvento.startsWith(pPrefixo))
                xSaida << xEvento.mid(pPrefixo.size());
        return xSaida;
    }

    TEstadoDownload& EstadoDownload() override { return vEstado; }
    const TListaFiliais& Filiais() override { return vFiliais; }
    void PosicionaFilial(int pLinha) override { vEventos << QStringLiteral("linha:%1").arg(pLinha); }
    TCaixasDownload Caixas() override { return vCaixas; }
    TFiltrosDownload Filtros() override { return vFiltros; }
    bool ValidaCampos() override
    {
        vEventos << QStringLiteral("valida");
        if (vValidaFalha)
            vValidaFalha();
        return vValida;
    }
    void EnableDisableCampos(bool pValue) override
    {
        vEventos << QStringLiteral("enable:%1").arg(int(pValue));
    }
    void LimpaCampos() override { vEventos << QStringLiteral("limpa"); }
    QString SelecionaPasta() override
    {
        vEventos << QStringLiteral("pasta");
        return vPasta;
    }
    void CursorAmpulheta(bool pAtivo) override { vEventos << QStringLiteral("cursor:%1").arg(int(pAtivo)); }
    void StatusPainel(int pPainel, const QString& pTexto) override
    {
        vStatus[pPainel] = pTexto;
        vEventos << QStringLiteral("status%1:").arg(pPainel) + pTexto;
    }
    void GaugeMaximo(int pMaximo) override
    {
        vGaugeMax = pMaximo;
        vEventos << QStringLiteral("gaugeMax:%1").arg(pMaximo);
    }
    void GaugeProgresso(int pProgresso) override
    {
        vGauge = pProgresso;
        vEventos << QStringLiteral("gauge:%1").arg(pProgresso);
    }
    void ProcessaEventos() override
    {
        vEventos << QStringLiteral("eventos");
        if (AoProcessarEventos)
            AoProcessarEventos(*this);
    }
    void Alerta(const QString& pTexto) override { vEventos << QStringLiteral("alerta:") + pTexto; }
    void Erro(const QString& pTexto) override { vEventos << QStringLiteral("erro:") + pTexto; }
    void Informacao(const QString& pTexto) override { vEventos << QStringLiteral("info:") + pTexto; }
    void EstiloClassicoDialogos(bool pClassico) override
    {
        vEventos << QStringLiteral("classico:%1").arg(int(pClassico));
    }
};

#include "app/Fontes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QList>

namespace {

struct TFonte
{
    QString Familia;
    int Pixels;
};

QFont FonteDisponivel(const QList<TFonte>& pOpcoes, bool pNegrito = false)
{
    const QStringList xInstaladas = QFontDatabase::families();
    TFonte xEscolha = pOpcoes.last();
    for (const TFonte& xOpcao : pOpcoes)
        if (xInstaladas.contains(xOpcao.Familia, Qt::CaseInsensitive)) {
            xEscolha = xOpcao;
            break;
        }
    QFont xFonte(xEscolha.Familia);
    xFonte.setPixelSize(xEscolha.Pixels);
    xFonte.setBold(pNegrito);
    return xFonte;
}

} // namespace

namespace Fontes {

QFont Janela()
{
    return FonteDisponivel({{QStringLiteral("Tahoma"), 11},
                            {QStringLiteral("DejaVu Sans Condensed"), 10},
                            {QStringLiteral("Sans Serif"), 10}});
}

QFont Botoes()
{
    return FonteDisponivel({{QStringLiteral("Arial"), 11},
                            {QStringLiteral("Liberation Sans"), 11},
                            {QStringLiteral("DejaVu Sans Condensed"), 10},
                            {QStringLiteral("Sans Serif"), 10}},
                           true);
}

void AplicaNaAplicacao()
{
    // Without a class name this also drops the faces the platform gave to kinds of widgets.
    QApplication::setFont(Janela());
}

} // namespace Fontes

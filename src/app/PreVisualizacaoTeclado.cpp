#include "app/PreVisualizacaoTeclado.h"

#include "app/Aplicacao.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

TPreVisualizacaoTeclado::TPreVisualizacaoTeclado(QWidget* pJanela, THandler pHandler)
    : QObject(pJanela), vJanela(pJanela), vHandler(std::move(pHandler))
{
}

bool TPreVisualizacaoTeclado::eventFilter(QObject* pObjeto, QEvent* pEvento)
{
    if (pEvento->type() != QEvent::KeyPress || pEvento == vEmEntrega)
        return false;
    auto* xControle = qobject_cast<QWidget*>(pObjeto);
    if (!xControle || xControle->window() != vJanela)
        return false;

    bool xEngolida = false;
    TAplicacao::ExecutaProtegido([&] { xEngolida = vHandler(static_cast<QKeyEvent*>(pEvento), xControle); });
    if (xEngolida)
        return true;

    // The application passes an ignored key on to the control's parents, offering it to this filter
    // again; delivering it here, marked, lets the handler see each key once.
    QPointer<QWidget> xAlvo = xControle;
    if (xAlvo) {
        const QEvent* xAnterior = vEmEntrega;
        vEmEntrega = pEvento;
        QCoreApplication::sendEvent(xAlvo, pEvento);
        vEmEntrega = xAnterior;
    }
    pEvento->accept();
    return true;
}

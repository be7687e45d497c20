#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// Key preview: every key pressed in a window reaches the window's key handler before the focused
// control. Installed on the application, it sees each key press first; the handler may swallow it
// (returns true), otherwise the key is then delivered to the control as usual, exactly once.
class TPreVisualizacaoTeclado : public QObject
{
    Q_OBJECT
public:
    using THandler = std::function<bool(QKeyEvent* pEvento, QWidget* pControle)>;

    TPreVisualizacaoTeclado(QWidget* pJanela, THandler pHandler);

protected:
    bool eventFilter(QObject* pObjeto, QEvent* pEvento) override;

private:
    QWidget* vJanela;
    THandler vHandler;
    const QEvent* vEmEntrega = nullptr;
};

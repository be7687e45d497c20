#pragma once

#include <QApplication>
#include <exception>
#include <utility>

// The application object. A failure that escapes an event handler is shown in an error box with its
// message and the program goes on: handlers run through ExecutaProtegido, and notify() catches whatever
// still reaches the event loop.
class TAplicacao : public QApplication
{
    Q_OBJECT
public:
    TAplicacao(int& argc, char** argv);

    bool notify(QObject* pReceptor, QEvent* pEvento) override;

    // Shows the failure being handled (called inside a catch block) in the error report.
    static void ReportaExcecaoAtual() noexcept;
    // The text the report shows for a failure.
    static QString MensagemDe(std::exception_ptr pExcecao);

    // Runs a handler; a failure that escapes it goes to the error report. True when none escaped.
    template <class TFuncao> static bool ExecutaProtegido(TFuncao&& pHandler) noexcept
    {
        try {
            std::forward<TFuncao>(pHandler)();
            return true;
        } catch (...) {
            ReportaExcecaoAtual();
            return false;
        }
    }
};

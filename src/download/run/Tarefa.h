#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// One piece of work on a thread of its own (a page fetch, a page deflated into the archive), so that
// the GUI thread only waits for it while it keeps handling the window. What the work produces goes
// where its function puts it; what it raises is kept for Falha.
class TTarefa
{
public:
    TTarefa() = default;
    ~TTarefa() { Junta(); }
    TTarefa(const TTarefa&) = delete;
    TTarefa& operator=(const TTarefa&) = delete;

    // Starts pTrabalho; an earlier work must have been joined.
    void Inicia(std::function<void()> pTrabalho)
    {
        Junta();
        vPronta = false;
        vFalha = nullptr;
        vThread = std::thread([this, xTrabalho = std::move(pTrabalho)] {
            std::exception_ptr xFalha;
            try {
                xTrabalho();
            } catch (...) {
                xFalha = std::current_exception();
            }
            {
                std::lock_guard<std::mutex> xTrava(vTrava);
                vFalha = xFalha;
                vPronta = true;
            }
            vSinal.notify_all();
        });
    }

    // Started and not yet joined.
    bool Ativa() const { return vThread.joinable(); }

    // Waits up to pMs milliseconds; true when the work is over (or none was started).
    bool AguardaPor(int pMs)
    {
        if (!vThread.joinable())
            return true;
        std::unique_lock<std::mutex> xTrava(vTrava);
        return vSinal.wait_for(xTrava, std::chrono::milliseconds(pMs), [this] { return vPronta; });
    }

    // Waits until the work is over and ends its thread.
    void Junta()
    {
        if (vThread.joinable())
            vThread.join();
    }

    // What the last work raised, after Junta; null when it ended normally.
    std::exception_ptr Falha() const { return vFalha; }

private:
    std::thread vThread;
    std::mutex vTrava;
    std::condition_variable vSinal;
    bool vPronta = true;
    std::exception_ptr vFalha;
};

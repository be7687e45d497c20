#pragma once

// Faults the stand-in can play, for tests of the client. A fault text is a comma-separated list:
//   <code>[:json|html|object|empty]  answer that status; the body a JSON error (default), an HTML page,
//                             a JSON object without "error", or nothing
//   error:<text>              the "error" text of the JSON error body
//   delay:<ms>                wait before answering
//   slow:<ms>[:<bytes>]       send the body in pieces of <bytes> (default 1024) with <ms> between them
//   cut                       declare the whole Content-Length, send half the body and close
//   totalpages:<n>            report a wrong totalPages
//   redirect                  answer 302 to the same address under /_r (served without faults)
//   latin1                    send the body in ISO-8859-1 and say so in Content-Type
//   contenttype:<text>        the Content-Type header exactly as given
//   retryafter:<text>         a Retry-After header with the answer
//   noelements                a page reporting totalElements 0, without content
//   nocontent                 a page with its totals but an empty content
//   times:<n>                 play the faults only on the first <n> requests for the same page with
//                             the same faults; later ones are answered normally
//   p<page>-<fault>           <fault> only on that page (zero-based), e.g. "p1-503", "p2-totalpages:3"
// Example: "delay:1500,503".

#include <optional>
#include <string>

struct TFalha
{
    int Status = 0; // 0 = answer normally
    std::string Corpo = "json";
    std::string Erro;
    int AtrasoMs = 0;
    int LentoMs = 0;
    int LentoBytes = 1024;
    bool Corte = false;
    std::optional<int> TotalPages;
    bool Redireciona = false;
    bool Latin1 = false;
    std::string ContentType;
    std::string RetryAfter;
    bool SemElementos = false;
    bool SemConteudo = false;
    int Vezes = 0; // 0 = on every request
};

// Applies the fault text on top of pFalha for a request of page pPagina (-1: not known); returns an
// error text, empty when it reads.
std::string LeFalha(const std::string& pTexto, TFalha& pFalha, int pPagina = -1);

// UTF-8 to ISO-8859-1; characters beyond it become "?".
std::string ParaLatin1(const std::string& pUtf8);

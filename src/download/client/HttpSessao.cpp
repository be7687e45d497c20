#include "download/client/HttpSessao.h"

#include <curl/curl.h>

THTTPSessao::THTTPSessao() : vEasy(curl_easy_init()), vMulti(curl_multi_init()) {}

THTTPSessao::~THTTPSessao()
{
    if (vMulti)
        curl_multi_cleanup(vMulti);
    if (vEasy)
        curl_easy_cleanup(vEasy);
}

void THTTPSessao::Aborta()
{
    vAbortada.store(true, std::memory_order_release);
    if (vMulti)
        curl_multi_wakeup(vMulti);
}

#pragma once

#include <QString>

// The configuration file Tarnwick.ini: where it is and the names inside it.
namespace ConfigINI {

inline constexpr char16_t NOME_ARQUIVO[] = u"Tarnwick.ini";
inline constexpr char16_t SECAO_CONEXAO[] = u"CONEXAO";
inline constexpr char16_t CHAVE_CAMINHO[] = u"Caminho";
inline constexpr char16_t CHAVE_USUARIO[] = u"Usuario";
inline constexpr char16_t CHAVE_SENHA[] = u"Senha";

// The file in the process's working directory as it is now (not the executable's folder); built
// again at every use, since the working directory may change.
QString CaminhoINI();

} // namespace ConfigINI

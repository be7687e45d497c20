#pragma once

#include "config/ConexaoBD.h"
#include "config/Filial.h"

#include <QString>

// The branch query qryFiliais and its provider dspFiliais: the rows of table Filiais in code order, as
// branch records (CHECKED from the query's constant, CODEMPRESA, DESCRICAO, CGC); NomeEmpresa and
// Estado come with the query but are not kept. Only read: nothing is ever written back.
namespace ConsultaFiliais {

// The query's text, four lines joined by line breaks.
QString TextoConsulta();

// Runs the query on the open connection. Raises EConexaoBD when it fails or a column is missing.
TListaFiliais Carrega(const TConexaoBD& pConexao);

} // namespace ConsultaFiliais

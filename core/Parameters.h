#pragma once

#include "platform/db/Db.h"

#include <QString>

namespace arvo {

/// The office-wide settings: the first row of parametros.
struct Parameters
{
    QString cnpj;
    QString razaoSocial;
    QString endereco;
    QString fantasia;
    QString cidade;
    QString estado;
    int recibo = 0;
    QString contaCaixa;
    QString contaBanco;
    double percImp = 0;
    double vlrSetorPme = 0;
    int gerGeralAut = 0;
    int gerSetorAut = 0;
    double txAdm = 0;
    double comGA = 0;
    double encPme = 0;
    double encInd = 0;
};

/// Reads the first row of parametros; defaults when the table is empty.
Result<Parameters> loadParameters(Db& db);

} // namespace arvo

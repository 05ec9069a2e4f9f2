#include "core/Parameters.h"

namespace arvo {

Result<Parameters> loadParameters(Db& db)
{
    auto row = db.selectOne(QStringLiteral("SELECT * FROM parametros LIMIT 1"));
    if (!row)
        return row.error();
    Parameters p;
    if (!row->has_value())
        return p;
    const Row& r = **row;
    p.cnpj = r["cnpj"].toString();
    p.razaoSocial = r["razaosocial"].toString();
    p.endereco = r["Endereco"].toString();
    p.fantasia = r["Fantasia"].toString();
    p.cidade = r["Cidade"].toString();
    p.estado = r["Estado"].toString();
    p.recibo = r["recibo"].toInt();
    p.contaCaixa = r["ContaCaixa"].toString();
    p.contaBanco = r["ContaBanco"].toString();
    p.percImp = r["percImp"].toDouble();
    p.vlrSetorPme = r["vlrsetorpme"].toDouble();
    p.gerGeralAut = r["GerGeralAut"].toInt();
    p.gerSetorAut = r["GerSetorAut"].toInt();
    p.txAdm = r["txadm"].toDouble();
    p.comGA = r["comGA"].toDouble();
    p.encPme = r["encPME"].toDouble();
    p.encInd = r["encInd"].toDouble();
    return p;
}

} // namespace arvo

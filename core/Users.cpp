#include "core/Users.h"

#include "core/Password.h"

namespace arvo {

Status createFullAccessUser(Db& db, const QString& name, const QString& password)
{
    const QString sql = QStringLiteral(
        "INSERT INTO usuarios (nome, senha, cadastro, producao, movimentacao, financeiro,"
        " usuarios, parametros, rh, pme, individual, auto, tabelas, filial, matriz)"
        " VALUES (:nome, :senha, '5', '5', '5', '5', '5', '5', '5', '5', '5', '5', '5', 0, 'S')");
    auto done = db.exec(sql, {{QStringLiteral("nome"), name.trimmed().toUpper()},
                              {QStringLiteral("senha"), scramblePassword(password.toUpper())}});
    if (!done)
        return done.error();
    return {};
}

} // namespace arvo

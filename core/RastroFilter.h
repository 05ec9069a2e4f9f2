#pragma once

#include "platform/db/Db.h"

#include <QString>

namespace arvo {

/// What the audit viewer's fields hold, as typed (dates dd/mm/yyyy, amount "1.234,50").
struct RastroFilter
{
    QString dataInicial;
    QString dataFinal;
    QString operador;  ///< empty: every operator
    QString operacao;  ///< "ALTERAÇÃO" ... "RELATÓRIO"; its first letter is matched
    QString rotina;    ///< matched whole
    QString historico; ///< matched anywhere in the description
    QString valor;     ///< matched exactly after the number-text conversion
    QString obs;       ///< matched anywhere in the remark
};

/// A statement and its bound values.
struct SqlQuery
{
    QString sql;
    Params params;
};

/// Whether the filter can run: both dates filled.
bool rastroFilterReady(const RastroFilter& filter);

/// The viewer's query: the rows between the two dates that match every filled field, ordered
/// by date and operator. Typed texts are bound, never put into the SQL text. Fails when a date
/// or the amount cannot be read.
Result<SqlQuery> rastroFilterQuery(const RastroFilter& filter);

/// Runs the viewer's query. Rows are only read.
Result<Rows> findRastro(Db& db, const RastroFilter& filter);

/// The operation names of the viewer's drop-down, in order.
QStringList rastroOperations();

} // namespace arvo

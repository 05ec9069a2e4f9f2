#pragma once

#include "platform/report/Report.h"

namespace arvo {

/// The legend of the operation letters, printed at the foot of the audit report.
inline const QString kRastroLegend = QStringLiteral(
    "Lengeda: A - Alteração   |    B - Baixa   |   C - Cancelamento    |    E - Exclusão   |    "
    "I - Inclusão   |   R - Relatório");

/// The audit report "Rastro no Período de <start> à <end>" (dates dd/mm/yyyy as typed): one
/// group per operator and date, the legend in the page footer.
report::ReportDef rastroReport(const QString& dataInicial, const QString& dataFinal);

} // namespace arvo

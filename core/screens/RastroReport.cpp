#include "core/screens/RastroReport.h"

namespace arvo {

report::ReportDef rastroReport(const QString& dataInicial, const QString& dataFinal)
{
    using report::Align;
    using report::Column;
    using report::Mask;
    report::ReportDef def;
    def.title = QStringLiteral("Rastro no Período de ") + dataInicial + QStringLiteral(" à ") +
                dataFinal;
    def.footerLines = {kRastroLegend};
    def.columns = {
        Column{QStringLiteral("Hora"), QStringLiteral("hora"), 0, 15, Mask::Text, Align::Left, {}},
        Column{QStringLiteral("Rotina"), QStringLiteral("rotina"), 16, 28, Mask::Text, Align::Left, {}},
        Column{QStringLiteral("Op."), QStringLiteral("operacao"), 45, 7, Mask::Text, Align::Center, {}},
        Column{QStringLiteral("Historico"), QStringLiteral("historico"), 53, 62, Mask::Text, Align::Left, {}},
        Column{QStringLiteral("Valor"), QStringLiteral("valor"), 116, 22, Mask::Money, Align::Right, {}},
        Column{QStringLiteral("Observação"), QStringLiteral("obs"), 141, 49, Mask::Text, Align::Left, {}},
    };
    report::Group group;
    group.key = [](const Row& r) {
        return r["operador"].toString() + u'|' + r["data"].toDate().toString(Qt::ISODate);
    };
    group.header = [](const Row& r) {
        return QStringLiteral("Operador(a): ") + r["operador"].toString() +
               QStringLiteral("        Data: ") +
               report::formatValue(r["data"], report::Mask::Date);
    };
    def.group = group;
    return def;
}

} // namespace arvo

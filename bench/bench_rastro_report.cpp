// Renders a 10,000-row audit report to PDF and prints the time it took. Run on demand:
//   build/bench/bench_rastro_report [rows] [output.pdf]
#include "core/screens/RastroReport.h"
#include "platform/report/Report.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : QDir::temp().filePath(QStringLiteral("arvo_bench_rastro.pdf"));
    const QStringList users{"ANA", "BETO", "CAIO", "DORA", "EDU"};
    QList<QVariantList> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QDate date = QDate(2024, 3, 1).addDays(i / 2000);
        values.append({date, QTime(8, 0).addSecs(i % 2000 * 13).toString(QStringLiteral("HH:mm:ss")),
                       users[i / 400 % users.size()], QStringLiteral("DOC. RECEBER"),
                       QStringLiteral("B"), QStringLiteral("DOCUMENTO %1 CLIENTE EXEMPLO LTDA").arg(i),
                       i, i * 3.75, QStringLiteral("PARCELA %1").arg(i % 12 + 1)});
    }
    arvo::Rows rows = arvo::report::rowsOf(
        {"data", "hora", "operador", "rotina", "operacao", "historico", "favorecido", "valor", "obs"},
        values);

    QElapsedTimer timer;
    timer.start();
    const arvo::report::Report report(arvo::rastroReport("01/03/2024", "05/03/2024"), rows);
    const qint64 laidOut = timer.elapsed();
    const arvo::Status written = report.writePdf(path);
    const qint64 total = timer.elapsed();
    QTextStream out(stdout);
    if (!written) {
        out << written.error().text() << '\n';
        return 1;
    }
    out << count << " rows, " << report.pageCount() << " pages: layout " << laidOut
        << " ms, layout + PDF " << total << " ms -> " << path << '\n';
    return 0;
}

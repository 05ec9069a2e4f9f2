// A QUALICORP statement of 20,000 lines against 100,000 proposals and 200,000 ledger rows, end to
// end, imported once and then again.
// Run: build/bench/bench_statement_import [lines] [proposals] [ledger rows]

#include "commissions/StatementImport.h"
#include "platform/db/PrivateServer.h"
#include "platform/db/SchemaLoader.h"
#include "platform/sheet/WorkbookWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace arvo;

namespace {

void bulk(Db& db, const QString& head, int count, const std::function<QString(int)>& row)
{
    QStringList values;
    for (int i = 1; i <= count; ++i) {
        values << row(i);
        if (values.size() == 2000 || i == count) {
            if (auto st = db.execRaw(head + values.join(QLatin1Char(','))); !st)
                qFatal("%s", qPrintable(st.error().text()));
            values.clear();
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int lines = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 20000;
    const int proposals = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 100000;
    const int ledger = argc > 3 ? QString::fromLatin1(argv[3]).toInt() : 200000;
    QTemporaryDir dir(QStringLiteral("/tmp/arvo-bench-XXXXXX"));
    PrivateServer server(dir.filePath(QStringLiteral("db")), PrivateServer::Options{false, 0});
    if (auto st = server.start(); !st) {
        out << st.error().text() << "\n";
        return 1;
    }
    auto db = Db::connect(server.settings(), QStringLiteral("bench"));
    if (!db || !createDatabaseFromSchema(*db, QStringLiteral("bench"))) {
        out << "no database\n";
        return 1;
    }
    (void)db->execRaw(QStringLiteral("INSERT INTO clientes (codigo, nome, fantasia) VALUES (5, 'AMIL', 'AMIL')"));
    (void)db->execRaw(QStringLiteral("INSERT INTO adma (codigo, nome, ativo) VALUES (3, 'QUALICORP', 'S')"));
    (void)db->execRaw(QStringLiteral("INSERT INTO fornecedores (codigo, tipo, nome, apelido, debencargos) "
                                     "VALUES (10, 'F', 'ANA', 'ANINHA', 1)"));
    (void)db->execRaw(QStringLiteral("INSERT INTO produtos (codigo, nome) VALUES (7, 'PLANO')"));
    (void)db->execRaw(QStringLiteral("INSERT INTO seguros_clientes (codigo, nome) VALUES (9, 'JOSE')"));
    QElapsedTimer timer;
    timer.start();
    bulk(*db, QStringLiteral("INSERT INTO seguros (segurado, produto, proposta, contrato, seguradora, "
                             "vendedor, producao, com1, produtor, tipo, administradora) VALUES "),
         proposals, [](int i) {
             return QStringLiteral("(9, 7, 'Q%1', 'C%1', 5, 10, '2024/01/02', 20, 10, '02', 3)").arg(i);
         });
    // Existing ledger rows of other proposals and installments.
    bulk(*db, QStringLiteral("INSERT INTO conta_produtor (producao, data, parcelas, seguradora, "
                             "credito, historico) VALUES "),
         ledger, [proposals](int i) {
             return QStringLiteral("(%1, '2024/01/02', %2, 5, 10, 'Pgto Com. Parc. %2')")
                 .arg(1 + i % proposals)
                 .arg(2 + i % 4);
         });
    out << "fixture: " << timer.elapsed() << " ms\n";

    const StatementLayout layout = layoutById(LayoutId::Qualicorp);
    const QString path = dir.filePath(QStringLiteral("extrato.xlsx"));
    {
        WorkbookWriter w(path);
        for (int i = 0; i < lines; ++i) {
            const int row = layout.firstRow + i;
            w.write(row, layout.keyColumn, QStringLiteral("Q%1").arg(1 + (i * 5) % proposals));
            w.write(row, layout.dateColumn, QStringLiteral("10/05/2024"));
            w.write(row, layout.baseColumns.first(), 1000.0);
            w.write(row, layout.paidColumn, 800.0);
            w.write(row, layout.installmentColumn, 1);
        }
        if (!w.save()) {
            out << "cannot write the statement\n";
            return 1;
        }
    }
    StatementImportRequest req;
    req.filePath = path;
    req.paymentDate = QDate(2024, 5, 15);
    req.layout = layout;
    req.insurer = 5;
    req.administrator = 3;
    req.user = QStringLiteral("BENCH");
    req.encInd = 5;
    for (const char* run : {"first import", "same file again"}) {
        timer.restart();
        auto r = importStatement(*db, req);
        if (!r) {
            out << r.error().text() << "\n";
            return 1;
        }
        out << run << ": " << lines << " lines, " << r->groups << " groups, " << r->credits
            << " credits, " << r->charges << " charges, " << r->receivablesWritten
            << " receivables: " << timer.elapsed() << " ms\n";
        out.flush();
    }
    return 0;
}

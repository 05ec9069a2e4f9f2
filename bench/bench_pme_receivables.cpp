// Receivables of 10,000 PME proposals in one batch run, and of one proposal alone.
// Run: build/bench/bench_pme_receivables [proposals]

#include "platform/db/PrivateServer.h"
#include "platform/db/SchemaLoader.h"
#include "production/PmeReceivables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace arvo;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int count = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 10000;
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
    // Ten insurers under the fixed rules and with schedules, one company, N proposals.
    const QStringList insurers = {"BRADESCO", "HAPVIDA", "ODONTOPREV", "SULAMÉRICA", "AMIL ONE",
                                  "HAPVIDA AFFIX", "CNU", "COM TABELA", "OUTRA", "UNIHOSP"};
    for (const QString& name : insurers)
        (void)db->exec(QStringLiteral("INSERT INTO clientes (nome, fantasia) VALUES (:n, :n)"),
                       {{QStringLiteral("n"), name}});
    (void)db->execRaw(QStringLiteral("INSERT INTO com_segur_corretora (seguradora, tipo, com1, com2, "
                                     "com3, com4, com5, vitalicio) SELECT codigo, '01', 100, 80, "
                                     "60, 40, 20, 'S' FROM clientes WHERE fantasia = 'COM TABELA'"));
    (void)db->execRaw(QStringLiteral("INSERT INTO seguros_clientes (nome) VALUES ('EMPRESA')"));
    QStringList values;
    for (int i = 1; i <= count; ++i) {
        values << QStringLiteral("(1, 1, 'P%1', %2, 1, %3, '2024/01/02', '2024/%4/%5', '01')")
                      .arg(i)
                      .arg(1 + i % 10)
                      .arg(100 + i % 50)
                      .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                      .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        if (values.size() == 1000 || i == count) {
            (void)db->execRaw(QStringLiteral("INSERT INTO seguros (segurado, produto, proposta, "
                                             "seguradora, vendedor, vlrcomissionado, producao, "
                                             "efetivacao, tipo) VALUES ") + values.join(','));
            values.clear();
        }
    }
    PmeRunContext ctx;
    ctx.user = QStringLiteral("BENCH");
    ctx.bankAccount = QStringLiteral("00001");

    QElapsedTimer t;
    t.start();
    auto batch = writeAllPmeReceivables(*db, ctx);
    const qint64 batchMs = t.elapsed();
    if (!batch) {
        out << batch.error().text() << "\n";
        return 1;
    }
    out << "batch: " << batch->proposals << " proposals, " << batch->written << " rows, "
        << batch->stopped << " stopped, " << batchMs << " ms\n";

    t.restart();
    auto again = writeAllPmeReceivables(*db, ctx);
    out << "batch again (nothing to write): " << (again ? again->written : -1) << " rows, "
        << t.elapsed() << " ms\n";

    (void)db->execRaw(QStringLiteral("DELETE FROM docreceber WHERE producao = 1"));
    auto one = loadPmeProposal(*db, 1);
    t.restart();
    auto single = writePmeReceivables(*db, **one, ctx);
    out << "one proposal: " << (single ? single->written : -1) << " rows, " << t.elapsed()
        << " ms\n";
    db->close();
    return 0;
}

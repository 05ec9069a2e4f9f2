#include "core/DateValue.h"
#include "tests/schema/CallOrders.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

using namespace arvo;

// The stored procedures of the production, commission and finance areas, called as the screens
// call them: CALL with named binds in the fixed order, on a fresh database.
class TestProcedures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insuredProcedures_data();
    void insuredProcedures();
    void proposalProcedures_data();
    void proposalProcedures();
    void commissionProcedures_data();
    void commissionProcedures();
    void receivableProcedures_data();
    void receivableProcedures();
    void updateByCpfChangesOneInsuredOnly_data();
    void updateByCpfChangesOneInsuredOnly();
    void zeroDateReadsBackAsNoDate_data();
    void zeroDateReadsBackAsNoDate();

private:
    void writesColumnsCase();
    void writesColumnsColumns();
};

namespace {

// Positional values bound to the procedure's parameters in call order.
Params bind(const QString& procedure, const QVariantList& values)
{
    const QStringList names = test::callOrders().value(procedure);
    Params p;
    for (int i = 0; i < names.size(); ++i)
        p.insert(names[i], i < values.size() ? values[i] : QVariant());
    return p;
}

Status call(Db& db, const QString& procedure, const Params& params)
{
    return db.call(procedure, test::callOrders().value(procedure), params);
}

Status runAll(Db& db, const QString& statements)
{
    for (const QString& s : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (s.trimmed().isEmpty())
            continue;
        if (auto r = db.exec(s); !r)
            return r.error();
    }
    return {};
}

// A stored value as the tests compare it; every form of "no date" reads "no date".
QString shown(const QVariant& v, bool isDate)
{
    if (isDate) {
        const auto d = readDate(v);
        return d ? d->toString(Qt::ISODate) : QStringLiteral("no date");
    }
    return v.isNull() ? QStringLiteral("NULL") : v.toString();
}

bool isDateValue(const QVariant& v)
{
    return v.typeId() == QMetaType::QDate ||
           (v.typeId() == QMetaType::QString &&
            QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}$")).match(v.toString())
                .hasMatch());
}

} // namespace

// Shared by the families that write one row: the columns of `table WHERE ...` named by the
// parameters (s_nome -> nome) must read back the values passed, and the `also` columns
// ("col=value|col=value") the values given there.
void TestProcedures::writesColumnsColumns()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("row"); // table WHERE condition
    QTest::addColumn<QString>("also");
}

void TestProcedures::writesColumnsCase()
{
    QFETCH(QString, procedure);
    QFETCH(QVariantList, values);
    QFETCH(QString, setup);
    QFETCH(QString, row);
    QFETCH(QString, also);
    ARVO_TEST_DB(t);
    Db& db = t.db();
    if (auto st = runAll(db, setup); !st)
        QFAIL(qPrintable(st.error().text()));
    if (auto st = call(db, procedure, bind(procedure, values)); !st)
        QFAIL(qPrintable(st.error().text()));

    QMap<QString, QString> expected; // column -> shown value
    QSet<QString> dates;
    const QStringList names = test::callOrders().value(procedure);
    for (int i = 0; i < names.size(); ++i) {
        const QString column = names[i].mid(2);
        if (isDateValue(values[i]))
            dates.insert(column);
        expected[column] = shown(values[i], dates.contains(column));
    }
    for (const QString& pair : also.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        expected[pair.left(eq)] = pair.mid(eq + 1);
    }

    QCOMPARE(db.scalar("SELECT COUNT(*) FROM " + row)->toInt(), 1);
    auto read = db.selectOne("SELECT " + QStringList(expected.keys()).join(", ") + " FROM " + row);
    QVERIFY(read && *read);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant v = (**read)[it.key()];
        const bool isDate = dates.contains(it.key()) || v.typeId() == QMetaType::QDate;
        QCOMPARE(it.key() + "=" + shown(v, isDate), it.key() + "=" + it.value());
    }
}

void TestProcedures::insuredProcedures_data()
{
    writesColumnsColumns();
    const QDate birth(1980, 5, 17);
    QTest::newRow("sp_i_seguradosind found by CPF")
        << "sp_i_seguradosind"
        << QVariantList{"52998224725", "MARIA DA SILVA", birth, "RUA DAS FLORES 10", "CENTRO",
                        "65000000", "SAO LUIS", "MA", "maria@exemplo.com.br", "98988887777",
                        "9832221111", "ANA DA SILVA", 3, 2}
        << "" << "seguros_clientes WHERE cnpj_cpf = '52998224725'" << "";
    QTest::newRow("sp_a_seguradosind by CPF, date as text")
        << "sp_a_seguradosind"
        << QVariantList{"52998224725", "MARIA S. COSTA", "1981/06/18", "AV. BRASIL 5", "COHAB",
                        "65001000", "PACO DO LUMIAR", "MA", "mcosta@exemplo.com", "98911112222",
                        "", "ANA COSTA", 0, 0}
        << "INSERT INTO seguros_clientes (codigo, cnpj_cpf, nome) "
           "VALUES (5, '52998224725', 'MARIA DA SILVA')"
        << "seguros_clientes WHERE codigo = 5" << "dtnasc=1981-06-18";
    QTest::newRow("sp_i_segurados found by CNPJ")
        << "sp_i_segurados"
        << QVariantList{"11222333000181", "PADARIA BOM PAO LTDA", "BOM PAO", "RUA GRANDE 100",
                        "CENTRO", "65010000", "SAO LUIS", "MA", "contato@bompao.com.br",
                        "www.bompao.com.br", "9833334444", "98999990000", "9833335555", "JOSE"}
        << "" << "seguros_clientes WHERE cnpj_cpf = '11222333000181'" << "";
    QTest::newRow("sp_a_segurados by CNPJ")
        << "sp_a_segurados"
        << QVariantList{"11222333000181", "PADARIA BOM PAO EIRELI", "PAO BOM", "RUA NOVA 1",
                        "RENASCENCA", "65075000", "SAO LUIS", "MA", "pao@bom.com", "",
                        "9830001111", "", "", "MARTA"}
        << "INSERT INTO seguros_clientes (codigo, cnpj_cpf, nome) "
           "VALUES (7, '11222333000181', 'PADARIA BOM PAO LTDA')"
        << "seguros_clientes WHERE codigo = 7" << "";
    const QVariantList holder{"39053344705", "JOAO PEREIRA", "RUA A 1", "CENTRO", "65000100",
                              "SAO LUIS", "MA", "joao@exemplo.com", "M", QDate(1975, 1, 2), "BRA",
                              "123456789", QDate(1995, 3, 4), "SSP/MA", "C", 4, "N", "N", "N",
                              "JOANA PEREIRA", "80", "1,75"};
    QTest::newRow("sp_i_titulares found by CPF")
        << "sp_i_titulares" << (holder + QVariantList{0}) << ""
        << "seguros_clientes WHERE cnpj_cpf = '39053344705'" << "";
    QTest::newRow("sp_a_titulares by code")
        << "sp_a_titulares" << (QVariantList{9} + holder)
        << "INSERT INTO seguros_clientes (codigo, nome, matricula) VALUES (9, 'X', 0)"
        << "seguros_clientes WHERE codigo = 9" << "matricula=0";
    const QVariantList dependant{"", "PEDRO PEREIRA", "M", QDate(2010, 7, 8), "S",
                                 "JOANA PEREIRA", "30", "1,20", "FILHO"};
    QTest::newRow("sp_i_terceiros without CPF found by name and mother")
        << "sp_i_terceiros" << dependant << ""
        << "seguros_clientes WHERE nome = 'PEDRO PEREIRA' AND mae = 'JOANA PEREIRA'" << "";
    QTest::newRow("sp_a_terceiros by code")
        << "sp_a_terceiros" << (QVariantList{11} + dependant)
        << "INSERT INTO seguros_clientes (codigo, nome) VALUES (11, 'PEDRO')"
        << "seguros_clientes WHERE codigo = 11" << "";
    QTest::newRow("sp_a_seguros_idterceiros sets one link")
        << "sp_a_seguros_idterceiros" << QVariantList{1, 2, 3, "S", "unimed"}
        << "INSERT INTO seguros_idterceiros (seguro, favorecido, terceiro, carencia) "
           "VALUES (1, 2, 3, 'N'), (1, 2, 4, 'N')"
        << "seguros_idterceiros WHERE terceiro = 3" << "";
    QTest::newRow("sp_a_seguros_idterceiros leaves the other dependant")
        << "sp_a_seguros_idterceiros" << QVariantList{1, 2, 3, "S", "unimed"}
        << "INSERT INTO seguros_idterceiros (seguro, favorecido, terceiro, carencia) "
           "VALUES (1, 2, 3, 'N'), (1, 2, 4, 'N')"
        << "seguros_idterceiros WHERE terceiro = 4"
        << "seguro=1|favorecido=2|terceiro=4|carencia=N|convenio=NULL";
}

void TestProcedures::insuredProcedures()
{
    writesColumnsCase();
}

void TestProcedures::proposalProcedures_data()
{
    writesColumnsColumns();
    const QString bandsZero = "v18=0|v23=0|v28=0|v33=0|v38=0|v43=0|v48=0|v53=0|v58=0|v59=0";
    const QString restBandsZero = "v28=0|v33=0|v38=0|v43=0|v48=0|v53=0|v58=0|v59=0";
    QTest::newRow("sp_i_seguros found by number and insurer")
        << "sp_i_seguros"
        << QVariantList{"ADMIN", QDate(2016, 3, 30), 4, "P1001", QDate(2016, 3, 28),
                        QDate(2016, 4, 1), 2, 3, 1, 350.5, 1, 100.0, 50.0, 30.0, 10.0, 5.0, 2.5,
                        15.0, 6, 3, 0, "05", "C77", 2}
        << "INSERT INTO seguros (proposta, seguradora) VALUES ('P1001', 9)"
        << "seguros WHERE proposta = 'P1001' AND seguradora = 2"
        // the age bands exist on every proposal so the reports' sums of lives are defined
        << "empresa=1|" + bandsZero;
    const QString existing =
        "INSERT INTO seguros (codigo, tipo, segurado, com1, com2, com3, com4, com5, com6, "
        "desccom, v28) VALUES (5, '02', 1, 100, 50, 30, 10, 5, 2.5, 15, 4)";
    QTest::newRow("sp_a_seguros by six-digit code")
        << "sp_a_seguros"
        << QVariantList{"000005", 7, "P2002", 8, 9, 2, 410.0, "2016/05/02", "2016/06/01", 10, 4,
                        11, "C88", 90.0, 0}
        << existing << "seguros WHERE codigo = 5"
        << "codigo=5|tipo=02|segurado=1|com2=50|com3=30|com4=10|com5=5|com6=2.5|desccom=15|"
           "producao=2016-05-02|efetivacao=2016-06-01";
    QTest::newRow("sp_i_segurospme found by number and insurer")
        << "sp_i_segurospme"
        << QVariantList{"01", "ADMIN", QDate(2016, 3, 30), 4, "PME77", QDate(2016, 3, 20), 2, 3,
                        1, "2", "1", 10, 3, 1200.0, 1, QDate(2016, 4, 10), 1300.0, 1200.0, 1, 6,
                        12, "CS1", "CD1", QDate(2016, 4, 1), "A", 2, "C", 0, 100.0, 100.0, 50.0,
                        0.0, 0.0, 0.0, 1}
        << "" << "seguros WHERE proposta = 'PME77' AND seguradora = 2" << restBandsZero;
    QTest::newRow("sp_a_segurospme by six-digit code")
        << "sp_a_segurospme"
        << QVariantList{"000005", 7, "PME78", "CS2", 8, 9, 2, "1", "2", 31, 5, 2500.0,
                        "2016/05/02", "2016/06/01", "2016/06/10", 2600.0, "2016/06/09", 2500.0, 1,
                        10, 11, "CD2", "E", 0, "O", 3, 0}
        << existing << "seguros WHERE codigo = 5"
        << "codigo=5|com1=100|com2=50|com3=30|com4=10|com5=5|com6=2.5|v28=4|"
           "producao=2016-05-02|efetivacao=2016-06-01|vencto1a=2016-06-10|pgto1a=2016-06-09";
}

void TestProcedures::proposalProcedures()
{
    writesColumnsCase();
}

void TestProcedures::commissionProcedures_data()
{
    writesColumnsColumns();
    QTest::newRow("sp_i_compersonalizado")
        << "sp_i_compersonalizado"
        << QVariantList{4, 1, 2, 3, 100.0, 80.0, 50.0, 30.0, 10.0, 5.0, "05", 2} << ""
        << "com_prod_filial WHERE vendedor = 3" << "";
    // A second run for the same combination used to add a row; readers take the first row
    // of a combination and kept paying the old rates.
    const QString schedules =
        "INSERT INTO com_prod_filial (seguradora, vendedor, filial, produto, com1, tipo, adma) "
        "VALUES (2, 3, 1, 4, 10, '05', 2), (2, 3, 1, 4, 20, '02', 0)";
    QTest::newRow("sp_i_compersonalizado again replaces the rates")
        << "sp_i_compersonalizado"
        << QVariantList{4, 1, 2, 3, 100.0, 80.0, 50.0, 30.0, 10.0, 5.0, "05", 2} << schedules
        << "com_prod_filial WHERE vendedor = 3 AND tipo = '05'" << "";
    QTest::newRow("sp_i_compersonalizado leaves another line's rates")
        << "sp_i_compersonalizado"
        << QVariantList{4, 1, 2, 3, 100.0, 80.0, 50.0, 30.0, 10.0, 5.0, "05", 2} << schedules
        << "com_prod_filial WHERE vendedor = 3 AND tipo = '02'"
        << "tipo=02|adma=0|com1=20|com2=NULL|com3=NULL|com4=NULL|com5=NULL|com6=NULL";
    QTest::newRow("sp_a_seguroscom by six-digit code")
        << "sp_a_seguroscom" << QVariantList{"000005", 90.0, 45.0, 20.0, 10.0, 0.0, 0.0}
        << "INSERT INTO seguros (codigo, vlrcomissionado) VALUES (5, 300); "
           "INSERT INTO seguros (codigo, com1) VALUES (6, 100)"
        << "seguros WHERE codigo = 5" << "codigo=5|vlrcomissionado=300";
}

void TestProcedures::commissionProcedures()
{
    writesColumnsCase();
}

void TestProcedures::receivableProcedures_data()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("rows"); // cod;cliente;doc;pgto;valorpago;liquido;conta;docorigem

    const QStringList fixture{"1;2;1001;;;100;;", "2;2;1001/01;;;40;;", "3;0;X;;;10;;",
                              "4;3;2002;;;70;;"};
    QStringList settled = fixture;
    settled[0] = "1;2;1001;2016-04-10;95.5;100;001;EXTRATO ABRIL.xlsx";
    QTest::newRow("sp_a_bxdocreceber settles one document")
        << "sp_a_bxdocreceber" << QVariantList{1, "001", "2016/04/10", 95.5, 100.0,
                                               "EXTRATO ABRIL.xlsx"}
        << false << settled;
    QTest::newRow("sp_a_bxdocreceber refuses an impossible date")
        << "sp_a_bxdocreceber" << QVariantList{1, "001", "2016/02/30", 95.5, 100.0, "E"} << true
        << fixture;

    QStringList renumbered = fixture;
    renumbered[0] = "1;2;1002;;;100;;";
    renumbered[1] = "2;2;1002/01;;;40;;";
    QTest::newRow("sp_a_docreceberprop renumbers the proposal's documents")
        << "sp_a_docreceberprop" << QVariantList{"000005", "1002"} << false << renumbered;
    QStringList slashed = fixture;
    slashed[0] = "1;2;77/16;;;100;;";
    slashed[1] = "2;2;77/16;;;40;;";
    QTest::newRow("sp_a_docreceberprop number with a slash written as given")
        << "sp_a_docreceberprop" << QVariantList{5, "77/16"} << false << slashed;
    QTest::newRow("sp_a_docreceberprop without a proposal changes nothing")
        << "sp_a_docreceberprop" << QVariantList{0, "1002"} << false << fixture;
    QTest::newRow("sp_a_docreceberprop with an empty number changes nothing")
        << "sp_a_docreceberprop" << QVariantList{5, ""} << false << fixture;

    QTest::newRow("sp_d_docsreceber removes one document")
        << "sp_d_docsreceber" << QVariantList{2} << false
        << QStringList{fixture[0], fixture[2], fixture[3]};
    QTest::newRow("sp_d_docscliente0 removes documents without insurer")
        << "sp_d_docscliente0" << QVariantList{0} << false
        << QStringList{fixture[0], fixture[1], fixture[3]};
    QTest::newRow("sp_d_docscliente0 refuses to wipe an insurer's documents")
        << "sp_d_docscliente0" << QVariantList{2} << true << fixture;
}

void TestProcedures::receivableProcedures()
{
    QFETCH(QString, procedure);
    QFETCH(QVariantList, values);
    QFETCH(bool, refused);
    QFETCH(QStringList, rows);
    ARVO_TEST_DB(t);
    Db& db = t.db();
    // Two installments of proposal 5 (the second a remainder of a partial settlement), one
    // stray row without insurer or proposal and one of another proposal.
    QVERIFY(db.exec(QStringLiteral(
        "INSERT INTO docreceber (cod, cliente, tipo, doc, emissao, vencto, valor, liquido, parc, "
        "producao) VALUES "
        "(1, 2, 'OU', '1001', '2016/03/01', '2016/04/01', 100, 100, 1, 5),"
        "(2, 2, 'OU', '1001/01', '2016/03/01', '2016/04/01', 40, 40, 1, 5),"
        "(3, 0, 'OU', 'X', '2016/03/01', '2016/04/01', 10, 10, 1, 0),"
        "(4, 3, 'OU', '2002', '2016/03/01', '2016/04/01', 70, 70, 1, 6)")));

    const Status st = call(db, procedure, bind(procedure, values));
    QCOMPARE(bool(st), !refused);

    auto read = db.select(QStringLiteral(
        "SELECT CONCAT_WS(';', cod, cliente, doc, IFNULL(pgto, ''), IFNULL(valorpago, ''), "
        "liquido, IFNULL(conta, ''), IFNULL(docorigem, '')) FROM docreceber ORDER BY cod"));
    QVERIFY(read);
    QStringList actual;
    for (const Row& r : *read)
        actual << r.value(0).toString();
    QCOMPARE(actual, rows);
}

void TestProcedures::updateByCpfChangesOneInsuredOnly_data()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<QString>("names"); // codigo:nome after the call

    const QString untouched = "0:N/I 1:ANA 2:BETO 3:CAIO 4:DORA 5:EDU";
    for (const char* p : {"sp_a_seguradosind", "sp_a_segurados"}) {
        const QString proc = QString::fromLatin1(p);
        // Several people are stored without CPF; an update keyed by it renamed them all.
        QTest::newRow(qPrintable(proc + " empty CPF changes no one")) << proc << "" << untouched;
        QTest::newRow(qPrintable(proc + " CPF mask without digits changes no one"))
            << proc << "   .   .   -  " << untouched;
        // A CPF stored twice changes the first row with it, the one a look-up by CPF finds.
        QTest::newRow(qPrintable(proc + " shared CPF changes the first row only"))
            << proc << "52998224725" << "0:N/I 1:ANA 2:BETO 3:CAIO 4:NOVO 5:EDU";
        QTest::newRow(qPrintable(proc + " unknown CPF changes no one"))
            << proc << "11144477735" << untouched;
    }
}

void TestProcedures::updateByCpfChangesOneInsuredOnly()
{
    QFETCH(QString, procedure);
    QFETCH(QString, cpf);
    QFETCH(QString, names);
    ARVO_TEST_DB(t);
    Db& db = t.db();
    QVERIFY(db.exec(QStringLiteral(
        "INSERT INTO seguros_clientes (codigo, cnpj_cpf, nome) VALUES "
        "(1, '', 'ANA'), (2, '', 'BETO'), (3, NULL, 'CAIO'), "
        "(4, '52998224725', 'DORA'), (5, '52998224725', 'EDU')")));
    QVERIFY(call(db, procedure,
                 {{QStringLiteral("s_cnpj_cpf"), cpf}, {QStringLiteral("s_nome"), "NOVO"}}));
    QCOMPARE(db.scalar(QStringLiteral("SELECT GROUP_CONCAT(codigo, ':', nome ORDER BY codigo "
                                      "SEPARATOR ' ') FROM seguros_clientes"))
                 ->toString(),
             names);
}

void TestProcedures::zeroDateReadsBackAsNoDate_data()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QVariantMap>("args");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("row"); // table WHERE condition
    QTest::addColumn<QString>("column");

    const QString proposal =
        "INSERT INTO seguros (codigo, efetivacao, pgto1a) VALUES (5, '2016/04/01', '2016/04/09')";
    const QString insured = "INSERT INTO seguros_clientes (codigo, cnpj_cpf, nome, dtnasc) "
                            "VALUES (5, '52998224725', 'ANA', '1980/01/01')";
    QTest::newRow("sp_a_seguros efetivacao")
        << "sp_a_seguros" << QVariantMap{{"s_codigo", "000005"}, {"s_efetivacao", "0000/00/00"}}
        << proposal << "seguros WHERE codigo = 5" << "efetivacao";
    QTest::newRow("sp_a_segurospme pgto1a")
        << "sp_a_segurospme" << QVariantMap{{"s_codigo", 5}, {"s_pgto1a", "0000/00/00"}}
        << proposal << "seguros WHERE codigo = 5" << "pgto1a";
    QTest::newRow("sp_a_seguradosind dtnasc")
        << "sp_a_seguradosind"
        << QVariantMap{{"s_cnpj_cpf", "52998224725"}, {"s_nome", "ANA"},
                       {"s_dtnasc", "0000/00/00"}}
        << insured << "seguros_clientes WHERE codigo = 5" << "dtnasc";
    // A settlement with an empty date leaves the document open: "pgto is null" finds it.
    QTest::newRow("sp_a_bxdocreceber pgto")
        << "sp_a_bxdocreceber" << QVariantMap{{"d_cod", 1}, {"d_pgto", "0000/00/00"}}
        << "INSERT INTO docreceber (cod, cliente, doc, pgto) VALUES (1, 2, '1', '2016/04/10')"
        << "docreceber WHERE cod = 1 AND pgto IS NULL" << "pgto";
    // Date parameters pass 30/12/1899 for an empty date.
    QTest::newRow("sp_i_seguros efetivacao 30/12/1899")
        << "sp_i_seguros"
        << QVariantMap{{"s_proposta", "P1"}, {"s_seguradora", 2},
                       {"s_efetivacao", QDate(1899, 12, 30)}}
        << "" << "seguros WHERE proposta = 'P1'" << "efetivacao";
    QTest::newRow("sp_a_titulares dtnasc 30/12/1899")
        << "sp_a_titulares"
        << QVariantMap{{"s_codigo", 5}, {"s_nome", "ANA"}, {"s_dtnasc", QDate(1899, 12, 30)}}
        << insured << "seguros_clientes WHERE codigo = 5" << "dtnasc";
}

void TestProcedures::zeroDateReadsBackAsNoDate()
{
    QFETCH(QString, procedure);
    QFETCH(QVariantMap, args);
    QFETCH(QString, setup);
    QFETCH(QString, row);
    QFETCH(QString, column);
    ARVO_TEST_DB(t);
    Db& db = t.db();
    if (auto st = runAll(db, setup); !st)
        QFAIL(qPrintable(st.error().text()));
    Params params;
    for (const QString& name : test::callOrders().value(procedure))
        params.insert(name, args.value(name));
    if (auto st = call(db, procedure, params); !st)
        QFAIL(qPrintable(st.error().text()));
    // Stored as NULL, not as a zero date or 30/12/1899, and read as no date.
    auto value = db.selectOne("SELECT " + column + ", " + column + " IS NULL AS empty FROM " + row);
    QVERIFY(value && *value);
    QCOMPARE((**value)["empty"].toInt(), 1);
    QVERIFY(!readDate((**value)[column]));
}

QTEST_GUILESS_MAIN(TestProcedures)
#include "tst_procedures.moc"

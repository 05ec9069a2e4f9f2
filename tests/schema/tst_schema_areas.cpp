#include "tests/schema/CallOrders.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

#include <algorithm>
#include <memory>

using namespace arvo;

// Tables, indexes and fixed rows of the production, commission and finance areas. The checks
// only read, so they share one database.
class TestSchemaAreas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void tablesHaveTheirColumns_data();
    void tablesHaveTheirColumns();
    void lookupsHaveAnIndex_data();
    void lookupsHaveAnIndex();
    void proceduresTakeTheirParameters_data();
    void proceduresTakeTheirParameters();
    void fixedRows();

private:
    std::unique_ptr<test::TestDatabase> m_t;
};

void TestSchemaAreas::initTestCase()
{
    m_t = std::make_unique<test::TestDatabase>();
    QVERIFY2(m_t->ok(), qPrintable(m_t->error()));
}

void TestSchemaAreas::cleanupTestCase()
{
    m_t.reset();
}

void TestSchemaAreas::tablesHaveTheirColumns_data()
{
    QTest::addColumn<QString>("table");
    // name:type pairs as information_schema has them, "=d" for a default
    QTest::addColumn<QString>("columns");

    // Production
    QTest::newRow("seguros")
        << "seguros"
        << "codigo:int segurado:int operador:varchar(20) data_operacao:date produto:int "
           "proposta:varchar(20) seguradora:int vendedor:int vlrcomissionado:double "
           "producao:date efetivacao:date com1:double com2:double com3:double com4:double "
           "com5:double com6:double desccom:double produtor:int vidas:int status_prop:int "
           "ntitular:varchar(1) tipoSPG:varchar(1) v18:int=0 v23:int=0 v28:int=0 v33:int=0 "
           "v38:int=0 v43:int=0 v48:int=0 v53:int=0 v58:int=0 v59:int=0 vencto1a:date "
           "valor1a:double pgto1a:date vlrparcelas:double adm_super:int tipo:varchar(2) "
           "contrato:varchar(15) contratoii:varchar(15) empresa:int acomodacao:varchar(1) "
           "reembolso:int tipoAdesao:varchar(1) administradora:int pagarvital:int "
           "apolice:varchar(15) dtcancel:date regiao:int canalV:int origemV:int comA:double "
           "descA:double parcA:int veiculo:varchar(40) vencto2a:date formapgtoA:varchar(2)";
    QTest::newRow("seguros_clientes")
        << "seguros_clientes"
        << "codigo:int cnpj_cpf:varchar(14) nome:varchar(70) fantasia:varchar(40) "
           "endereco:varchar(70) bairro:varchar(30) cep:varchar(8) cidade:varchar(40) "
           "estado:varchar(2) email:varchar(40) home:varchar(40) fone1:varchar(11) "
           "fone2:varchar(11) fone3:varchar(11) contato:varchar(30) sexo:varchar(1) dtnasc:date "
           "nacionalidade:varchar(4) rg:varchar(15) emissaorg:date orgaorg:varchar(10) "
           "EstCivil:varchar(1) Aposentado:varchar(1) TempoServico:varchar(1) "
           "Invalidez:varchar(1) mae:varchar(50) peso:varchar(5) altura:varchar(5) "
           "parentesco:varchar(15) matricula:int profissao:int entidade:int";
    QTest::newRow("seguros_idclientes")
        << "seguros_idclientes"
        << "seguro:int favorecido:int tipo:varchar(1) carencia:varchar(1) convenio:varchar(20)";
    QTest::newRow("seguros_idterceiros")
        << "seguros_idterceiros"
        << "seguro:int favorecido:int terceiro:int carencia:varchar(1) convenio:varchar(20)";
    QTest::newRow("historico_seguros")
        << "historico_seguros"
        << "codigo:int seguro:int data:date hora:varchar(4) operador:varchar(20) "
           "historico:varchar(50) operacao:date";
    QTest::newRow("metas")
        << "metas"
        << "referencia:varchar(6) opcao:varchar(2) qtd:double";
    QTest::newRow("metas_callcenter")
        << "metas_callcenter"
        << "referencia:varchar(6) opcao:varchar(2) qtd:int vlrbb:double vlrcc:double "
           "vlrmeta:double";
    QTest::newRow("curvaabc")
        << "curvaabc"
        << "vendedor:int pme:double indiv:double adesao:double auto:double re:double "
           "consorcio:double cartao:double vidas:double total:double";
    // Commissions
    QTest::newRow("conta_produtor")
        << "conta_produtor"
        << "codigo:int producao:int data:date segurado:int seguradora:int vendedor:int "
           "comissao:double desconto:double premio:double taxa:double parcelas:int "
           "apolice:varchar(15) historico:varchar(50) cancelado:varchar(1) credito:double "
           "debito:double saldo:double corretora:int pago:varchar(1) proposta:varchar(15) "
           "pgtoem:varchar(1) ncheque:int conta:varchar(5) repasse:int docorigem:varchar(50)";
    QTest::newRow("retorno")
        << "retorno"
        << "codigo:int data_pgto:date valor_doc:double data_baixa:date apolice:varchar(20) "
           "parcela:int fatura:varchar(15) obs:varchar(30) valor_base:double "
           "vlrcomissionado:double valor_desc:double perc:double nome:varchar(50)";
    QTest::newRow("com_prod_filial")
        << "com_prod_filial"
        << "seguradora:int vendedor:int filial:int produto:int com1:double com2:double "
           "com3:double com4:double com5:double com6:double tipo:varchar(2) adma:int";
    QTest::newRow("com_segur_corretora")
        << "com_segur_corretora"
        << "seguradora:int tipo:varchar(2) com1:double com2:double com3:double com4:double "
           "com5:double vitalicio:varchar(1)";
    QTest::newRow("com_seguradora_corr")
        << "com_seguradora_corr"
        << "seguradora:int tipo:varchar(2) com1:double com2:double com3:double com4:double "
           "com5:double com6:double vitalicio:varchar(1)";
    // Finance
    QTest::newRow("docreceber")
        << "docreceber"
        << "cod:int cliente:int tipo:varchar(2) doc:varchar(20) emissao:date vencto:date "
           "valor:double liquido:double conta:varchar(5) planoconta:varchar(8) pgto:date "
           "valorpago:double docorigem:varchar(50) nf:varchar(20) parc:int empresa:int "
           "producao:int adma:int juros:double desconto:double planojuros:varchar(8) "
           "obsI:varchar(100) atraso:double valoratraso:double juros1:double multa1:double "
           "N_numero:double";
    QTest::newRow("docpagar")
        << "docpagar"
        << "cod:int fornecedor:int fixa:varchar(1) tipo:varchar(2) doc:varchar(15) emissao:date "
           "vencto:date valor:double localcob:varchar(30) vlrjuros:double percjuros:double "
           "multa:double descontopgto:double pgtoI:date obs:varchar(120) conta:varchar(5) "
           "planoconta:varchar(8) pgto:date valorpago:double juros:double desconto:double "
           "obsI:varchar(100) docorigem:varchar(15) planojuros:varchar(8) empresa:int "
           "centrocusto:varchar(10) atraso:double juros1:double multa1:double valoratraso:double "
           "plconta:varchar(8) Operador:varchar(20) Data_Operacao:date Hora_Operacao:varchar(10) "
           "pagtoem:varchar(1) Autorizado:varchar(1) DataAutorizacao:date "
           "AutorizadoPor:varchar(20) banco:int ag:varchar(10) ContaCorrente:varchar(5) "
           "cheque:int vale:varchar(1) autorizacao:varchar(20)";
    QTest::newRow("financeiro")
        << "financeiro"
        << "codigo:int conta:varchar(5) data:date historico:varchar(80) tipo:varchar(1) "
           "credito:double debito:double saldoconta:double saldoplanoconta:double empresa:int "
           "Operador:varchar(30) Data_Operacao:date Hora_Operacao:varchar(8) doc:varchar(15) "
           "docorigem:varchar(15) planoconta:varchar(8) centrocusto:varchar(10) qtd:double "
           "operador_rec:varchar(30) data_rec:date hora_rec:varchar(8)";
    QTest::newRow("planocontas")
        << "planocontas"
        << "codigo:varchar(8) descricao:varchar(50) chave:varchar(60) deb1:double deb2:double "
           "deb3:double deb4:double deb5:double deb6:double deb7:double deb8:double deb9:double "
           "deb10:double deb11:double deb12:double cred1:double cred2:double cred3:double "
           "cred4:double cred5:double cred6:double cred7:double cred8:double cred9:double "
           "cred10:double cred11:double cred12:double saldoant:double";
    QTest::newRow("contascorrente")
        << "contascorrente"
        << "conta:varchar(5) descricao:varchar(30) carteira:int N_Numero:double convenio:int "
           "banco:int agencia:int agenciad:varchar(1) contacorrente:int "
           "contacorrented:varchar(1) AgenciaCC:varchar(16) AgenciaCCD:varchar(1) "
           "pathretorno:varchar(40) SaldoAnt:double deb1:double deb2:double deb3:double "
           "deb4:double deb5:double deb6:double deb7:double deb8:double deb9:double deb10:double "
           "deb11:double deb12:double cred1:double cred2:double cred3:double cred4:double "
           "cred5:double cred6:double cred7:double cred8:double cred9:double cred10:double "
           "cred11:double cred12:double empresa:int";
    QTest::newRow("contascorrente_saldo")
        << "contascorrente_saldo"
        << "conta:varchar(5) ano:varchar(4) SaldoAnt:double deb1:double deb2:double deb3:double "
           "deb4:double deb5:double deb6:double deb7:double deb8:double deb9:double deb10:double "
           "deb11:double deb12:double cred1:double cred2:double cred3:double cred4:double "
           "cred5:double cred6:double cred7:double cred8:double cred9:double cred10:double "
           "cred11:double cred12:double";
    QTest::newRow("centrocusto")
        << "centrocusto"
        << "codigo:int data:date historico:varchar(80) entrada:double saida:double "
           "sigla_transp:varchar(2) favorecido:int documento:varchar(15) tipo:varchar(1)";
    QTest::newRow("formapagto")
        << "formapagto"
        << "codigo:varchar(2) descricao:varchar(50) dias:int comissao:double";
    QTest::newRow("mapadesembolso")
        << "mapadesembolso"
        << "TipoI:varchar(1) tipo:varchar(3) texto:varchar(40) VlrReceber:double VlrPagar:double";
    QTest::newRow("mapafaturamento")
        << "mapafaturamento"
        << "data:date avista:double aprazo:double acumulado:double";
    QTest::newRow("emprestimos")
        << "emprestimos"
        << "codigo:int data:date credito:double debito:double saldo:double funcionario:double";
    QTest::newRow("faltasfunc")
        << "faltasfunc"
        << "codigo:int data:date qtd:double funcionario:double tipo:varchar(2) obs:varchar(40) "
           "cliente:int";
    QTest::newRow("horasextras")
        << "horasextras"
        << "codigo:int data:date qtd:double funcionario:double";
}

void TestSchemaAreas::tablesHaveTheirColumns()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    auto rows = m_t->db().select(
        QStringLiteral("SELECT column_name, column_type, column_default "
                       "FROM information_schema.columns WHERE table_schema = :s "
                       "AND table_name = :t ORDER BY ordinal_position"),
        {{QStringLiteral("s"), m_t->name()}, {QStringLiteral("t"), table}});
    QVERIFY2(rows, rows ? "" : qPrintable(rows.error().text()));
    QStringList actual;
    for (const Row& r : *rows) {
        QString column = r.value(0).toString() + ":" +
                         r.value(1).toString().replace(QStringLiteral("int(11)"),
                                                       QStringLiteral("int"));
        const QVariant def = r.value(2);
        if (!def.isNull() && def.toString() != QLatin1String("NULL"))
            column += "=" + def.toString();
        actual << column;
    }
    QCOMPARE(actual.join(QLatin1Char(' ')), columns);
}

void TestSchemaAreas::lookupsHaveAnIndex_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns"); // leading columns of some index, in order

    QTest::newRow("proposal by number and insurer") << "seguros" << "proposta,seguradora";
    QTest::newRow("proposal by contract") << "seguros" << "contrato";
    QTest::newRow("insured by CPF/CNPJ") << "seguros_clientes" << "cnpj_cpf";
    QTest::newRow("dependant by name and mother") << "seguros_clientes" << "nome,mae";
    QTest::newRow("holders of a proposal") << "seguros_idclientes" << "seguro";
    QTest::newRow("dependants of a proposal") << "seguros_idterceiros"
                                              << "seguro,favorecido,terceiro";
    QTest::newRow("history of a proposal") << "historico_seguros" << "seguro";
    QTest::newRow("goal of a month") << "metas" << "referencia,opcao";
    QTest::newRow("ledger by installment") << "conta_produtor" << "seguradora,producao,parcelas";
    QTest::newRow("ledger by producer and date") << "conta_produtor" << "repasse,data";
    QTest::newRow("ledger by date") << "conta_produtor" << "data";
    QTest::newRow("statement by number") << "retorno" << "apolice";
    QTest::newRow("receivable by proposal number") << "docreceber" << "cliente,doc,parc";
    QTest::newRow("receivable by policy") << "docreceber" << "cliente,nf,parc";
    QTest::newRow("receivables of a proposal") << "docreceber" << "producao";
    QTest::newRow("receivables by due date") << "docreceber" << "vencto";
    QTest::newRow("payables by due date") << "docpagar" << "vencto";
    QTest::newRow("cash book by account and date") << "financeiro" << "conta,data";
    QTest::newRow("one balance row per account and year") << "contascorrente_saldo"
                                                          << "conta,ano";
    QTest::newRow("chart by code") << "planocontas" << "codigo";
    QTest::newRow("account by code") << "contascorrente" << "conta";
}

void TestSchemaAreas::lookupsHaveAnIndex()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    auto rows = m_t->db().select(
        QStringLiteral("SELECT GROUP_CONCAT(column_name ORDER BY seq_in_index) "
                       "FROM information_schema.statistics WHERE table_schema = :s "
                       "AND table_name = :t GROUP BY index_name"),
        {{QStringLiteral("s"), m_t->name()}, {QStringLiteral("t"), table}});
    QVERIFY(rows);
    QStringList indexes;
    for (const Row& r : *rows)
        indexes << r.value(0).toString();
    const bool found = std::any_of(indexes.begin(), indexes.end(), [&](const QString& ix) {
        return ix == columns || ix.startsWith(columns + ",");
    });
    QVERIFY2(found, qPrintable(indexes.join(" | ")));
}

void TestSchemaAreas::proceduresTakeTheirParameters_data()
{
    QTest::addColumn<QString>("procedure");
    QStringList names = test::callOrders().keys();
    names.sort();
    for (const QString& p : names)
        QTest::newRow(qPrintable(p)) << p;
}

void TestSchemaAreas::proceduresTakeTheirParameters()
{
    // Names and order exactly as the screens bind them; a swapped pair would store values in
    // each other's columns without any error.
    QFETCH(QString, procedure);
    auto rows = m_t->db().select(
        QStringLiteral("SELECT parameter_name FROM information_schema.parameters "
                       "WHERE specific_schema = :s AND specific_name = :p "
                       "AND routine_type = 'PROCEDURE' ORDER BY ordinal_position"),
        {{QStringLiteral("s"), m_t->name()}, {QStringLiteral("p"), procedure}});
    QVERIFY(rows);
    QStringList actual;
    for (const Row& r : *rows)
        actual << r.value(0).toString();
    QCOMPARE(actual, test::callOrders().value(procedure));
}

void TestSchemaAreas::fixedRows()
{
    test::TestDatabase t; // writes, so a database of its own
    QVERIFY2(t.ok(), qPrintable(t.error()));
    Db& db = t.db();
    // Insured 0 and the placeholder proposal 0 exist; real rows still start at 1.
    QCOMPARE(db.scalar(QStringLiteral("SELECT nome FROM seguros_clientes WHERE codigo = 0"))
                 ->toString(),
             QStringLiteral("N/I"));
    auto placeholder = db.selectOne(QStringLiteral(
        "SELECT produto, proposta, seguradora, vendedor, producao FROM seguros WHERE codigo = 0"));
    QVERIFY(placeholder && *placeholder);
    const Row& p = **placeholder;
    QCOMPARE(p["produto"].toInt(), 0);
    QCOMPARE(p["proposta"].toString(), QStringLiteral("0"));
    QCOMPARE(p["seguradora"].toInt(), 0);
    QCOMPARE(p["vendedor"].toInt(), 0);
    QCOMPARE(p["producao"].toDate(), QDate::currentDate());
    QVERIFY(db.exec(QStringLiteral("INSERT INTO seguros_clientes (nome) VALUES ('A')")));
    QCOMPARE(db.lastInsertId().value(), qint64(1));
    QVERIFY(db.exec(QStringLiteral("INSERT INTO seguros (proposta) VALUES ('1')")));
    QCOMPARE(db.lastInsertId().value(), qint64(1));

    // The payables' type list has the document types the receivables use.
    QCOMPARE(db.scalar(QStringLiteral("SELECT GROUP_CONCAT(codigo ORDER BY codigo) "
                                      "FROM formapagto"))
                 ->toString(),
             QStringLiteral("CC,CP,DP,EM,NF,NP,OU"));

    // At most one balance row per account and year.
    QVERIFY(db.exec(QStringLiteral("INSERT INTO contascorrente_saldo (conta, ano) "
                                   "VALUES ('001', '2016')")));
    QVERIFY(!db.exec(QStringLiteral("INSERT INTO contascorrente_saldo (conta, ano) "
                                    "VALUES ('001', '2016')")));
}

QTEST_GUILESS_MAIN(TestSchemaAreas)
#include "tst_schema_areas.moc"

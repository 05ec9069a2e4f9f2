#include "platform/db/SchemaLoader.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

using namespace arvo;

class TestSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsScripts_data();
    void splitsScripts();
    void registryTablesHaveTheirColumns_data();
    void registryTablesHaveTheirColumns();
    void fixedRows();
    void parametersWithTwoRows();
};

void TestSchema::splitsScripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("plain") << QStringLiteral("SELECT 1;\nSELECT 2;")
                           << QStringList{"SELECT 1", "SELECT 2"};
    QTest::newRow("semicolon in quotes")
        << QStringLiteral("INSERT INTO t VALUES ('a;b', \"c;d\");")
        << QStringList{"INSERT INTO t VALUES ('a;b', \"c;d\")"};
    QTest::newRow("escaped quote") << QStringLiteral("SELECT 'it\\'s;';")
                                   << QStringList{"SELECT 'it\\'s;'"};
    QTest::newRow("comments dropped")
        << QStringLiteral("-- a; comment\nSELECT 1; # another;\n/* x; */SELECT 2;")
        << QStringList{"SELECT 1", "SELECT 2"};
    QTest::newRow("delimiter blocks")
        << QStringLiteral("DELIMITER //\nCREATE PROCEDURE p() BEGIN SELECT 1; SELECT 2; END //\n"
                          "DELIMITER ;\nSELECT 3;")
        << QStringList{"CREATE PROCEDURE p() BEGIN SELECT 1; SELECT 2; END", "SELECT 3"};
    QTest::newRow("last statement without delimiter") << QStringLiteral("SELECT 1;\nSELECT 2")
                                                      << QStringList{"SELECT 1", "SELECT 2"};
}

void TestSchema::splitsScripts()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(splitSqlScript(script), statements);
}

void TestSchema::registryTablesHaveTheirColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns"); // name:type pairs, type as information_schema has it
    QTest::newRow("usuarios")
        << "usuarios"
        << "codigo:int nome:varchar(30) senha:varchar(6) cadastro:varchar(1) producao:varchar(1) "
           "movimentacao:varchar(1) financeiro:varchar(1) usuarios:varchar(1) "
           "parametros:varchar(1) rh:varchar(1) pme:varchar(1) individual:varchar(1) "
           "auto:varchar(1) tabelas:varchar(1) filial:int matriz:varchar(1)";
    QTest::newRow("parametros")
        << "parametros"
        << "cnpj:varchar(15) razaosocial:varchar(70) Endereco:varchar(50) Fantasia:varchar(30) "
           "Cidade:varchar(30) Estado:varchar(2) recibo:int ContaCaixa:varchar(5) "
           "ContaBanco:varchar(5) percImp:double vlrsetorpme:double GerGeralAut:int "
           "GerSetorAut:int txadm:double comGA:double encPME:double encInd:double";
    QTest::newRow("rastro") << "rastro"
                            << "data:date hora:varchar(10) operador:varchar(30) "
                               "operacao:varchar(1) rotina:varchar(15) historico:varchar(70) "
                               "favorecido:int valor:double obs:varchar(70)";
    QTest::newRow("clientes")
        << "clientes"
        << "codigo:int cnpj_cpf:varchar(14) ie_rg:varchar(15) nome:varchar(70) "
           "fantasia:varchar(50) contato:varchar(30) endereco:varchar(70) bairro:varchar(30) "
           "cidade:varchar(30) estado:varchar(2) cep:varchar(8) fone1:varchar(11) "
           "fone2:varchar(11) fone3:varchar(11) sexo:varchar(1) dtnasc:date email:varchar(60) "
           "homepage:varchar(40) obs:varchar(100) cadastro:date taxaPME:double taxaInd:double";
    QTest::newRow("fornecedores")
        << "fornecedores"
        << "codigo:int tipo:varchar(1) cnpj:varchar(14) ie:varchar(15) im:varchar(15) "
           "cpf:varchar(11) rg:varchar(30) orgaoemissor:varchar(5) nome:varchar(70) "
           "fantasia:varchar(50) apelido:varchar(30) contato:varchar(30) endereco:varchar(70) "
           "bairro:varchar(30) cidade:varchar(30) estado:varchar(2) cep:varchar(8) "
           "fone1:varchar(11) fone2:varchar(11) fone3:varchar(11) email:varchar(40) "
           "homepage:varchar(40) obs:varchar(100) dtnasc:date sexo:varchar(1) "
           "funcao:varchar(30) situacao:varchar(1) banco:varchar(30) agencia:varchar(7) "
           "cc:varchar(9) tipocc:varchar(1) planoconta:varchar(15) contacontabil:int "
           "empresa:int debencargos:int pagarvital:int com2setorPME:varchar(1) cnh:varchar(15) "
           "dtcnh:date ctps:varchar(15) inss_pis:varchar(15) planosaude:varchar(25) "
           "pai:varchar(50) mae:varchar(50) nfilhos:int ndependentes:int dtadmissao:date "
           "dtdemissao:date salario:double premio:double departamento:varchar(30)";
    QTest::newRow("empresas")
        << "empresas"
        << "codigo:int cnpj_cpf:varchar(14) ie_rg:varchar(15) nome:varchar(70) "
           "fantasia:varchar(50) contato:varchar(30) endereco:varchar(70) bairro:varchar(30) "
           "cidade:varchar(30) estado:varchar(2) cep:varchar(8) fone1:varchar(11) "
           "fone2:varchar(11) fone3:varchar(11) email:varchar(60) homepage:varchar(40) "
           "cadastro:date";
    QTest::newRow("produtos") << "produtos"
                              << "codigo:int nome:varchar(40) seguradora:int ativo:varchar(1) "
                                 "comissao:double";
    for (const char* t : {"adma", "entidades", "profissoes", "regiao", "statusprop"})
        QTest::newRow(t) << t << "codigo:int nome:varchar(40) ativo:varchar(1)";
    for (const char* t : {"origemvendas", "canalvendas"})
        QTest::newRow(t) << t << "codigo:int descricao:varchar(50) ativo:varchar(1)";
    QTest::newRow("estados") << "estados" << "uf:varchar(2) icms:double CodUf:varchar(2)";
    QTest::newRow("corretores")
        << "corretores"
        << "id_corretor:int sit_corretor:text nome_corretor:varchar(200) rg_corretor:varchar(50) "
           "cpf_corretor:varchar(50) nasc_corretor:date end_corretor:varchar(200) "
           "bairro_corretor:varchar(50) cidade_corretor:varchar(50) estado_corretor:varchar(5) "
           "fone_corretor1:varchar(15) fone_corretor2:varchar(15) email_corretor:varchar(100)";
}

void TestSchema::registryTablesHaveTheirColumns()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    ARVO_TEST_DB(t);
    auto rows = t.db().select(
        QStringLiteral("SELECT column_name, column_type FROM information_schema.columns "
                       "WHERE table_schema = :s AND table_name = :t ORDER BY ordinal_position"),
        {{QStringLiteral("s"), t.name()}, {QStringLiteral("t"), table}});
    QVERIFY(rows);
    QStringList actual;
    for (const Row& r : *rows)
        actual << r.value(0).toString() + ":" +
                      r.value(1).toString().replace(QStringLiteral("int(11)"), QStringLiteral("int"));
    QCOMPARE(actual.join(QLatin1Char(' ')), columns);
}

void TestSchema::fixedRows()
{
    ARVO_TEST_DB(t);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM estados"))->toInt(), 27);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT CodUf FROM estados WHERE uf = 'MA'"))
                 ->toString(),
             QStringLiteral("21"));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM parametros"))->toInt(), 1);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT recibo FROM parametros"))->toInt(), 0);
    auto auto_increment = t.db().scalar(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = :s "
                       "AND column_name = 'codigo' AND extra LIKE '%auto_increment%' "
                       "AND table_name IN ('usuarios', 'clientes', 'fornecedores', 'empresas', "
                       "'produtos', 'adma', 'entidades', 'profissoes', 'regiao', 'statusprop', "
                       "'origemvendas', 'canalvendas')"),
        {{QStringLiteral("s"), t.name()}});
    QCOMPARE(auto_increment->toInt(), 12);
}

void TestSchema::parametersWithTwoRows()
{
    // Readers take the first row; an update without WHERE changes every row.
    ARVO_TEST_DB(t);
    QVERIFY(t.db().exec(QStringLiteral("INSERT INTO parametros (recibo) VALUES (7)")));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT recibo FROM parametros LIMIT 1"))->toInt(), 0);
    QCOMPARE(t.db().exec(QStringLiteral("UPDATE parametros SET txadm = 2.5")).value(), qint64(2));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"

-- Finance: documents to receive and to pay, the cash book, the chart of accounts, bank and
-- cash accounts with their yearly balances, cost-centre allocations, document types, the work
-- tables of the management summary and the small employee tables. A document is open while
-- pgto is NULL. A text whose size the data module leaves open holds 20 characters.

-- Receivables; almost all are commission installments an insurer owes for a proposal:
-- cliente is the insurer, doc the proposal number, nf the policy number.
CREATE TABLE docreceber (
    cod             INT AUTO_INCREMENT PRIMARY KEY,
    cliente         INT,              -- clientes.codigo; required
    tipo            VARCHAR(2),       -- CC CP DP EM NF NP OU; required
    doc             VARCHAR(20),      -- a partial settlement's remainder gets /nn; required
    emissao         DATE,             -- required
    vencto          DATE,             -- required
    valor           DOUBLE,           -- required
    liquido         DOUBLE,           -- what every total and report of receivables uses
    conta           VARCHAR(5),
    planoconta      VARCHAR(8),
    pgto            DATE,             -- NULL while open
    valorpago       DOUBLE,
    docorigem       VARCHAR(50),
    nf              VARCHAR(20),
    parc            INT,
    empresa         INT,
    producao        INT,              -- seguros.codigo
    adma            INT,
    juros           DOUBLE,
    desconto        DOUBLE,
    planojuros      VARCHAR(8),
    obsI            VARCHAR(100),
    atraso          DOUBLE,
    valoratraso     DOUBLE,
    juros1          DOUBLE,
    multa1          DOUBLE,
    N_numero        DOUBLE,
    KEY ix_docreceber_doc (cliente, doc, parc),
    KEY ix_docreceber_nf (cliente, nf, parc),
    KEY ix_docreceber_producao (producao, parc),
    KEY ix_docreceber_vencto (vencto),
    KEY ix_docreceber_emissao (emissao),
    KEY ix_docreceber_pgto (pgto)
);

-- Payables; fornecedor is a fornecedores row (suppliers, sellers and employees).
CREATE TABLE docpagar (
    cod             INT AUTO_INCREMENT PRIMARY KEY,
    fornecedor      INT,              -- required
    fixa            VARCHAR(1),       -- S recurring expense; required
    tipo            VARCHAR(2),       -- formapagto.codigo; required
    doc             VARCHAR(15),      -- required
    emissao         DATE,             -- required
    vencto          DATE,             -- required
    valor           DOUBLE,           -- required
    localcob        VARCHAR(30),
    vlrjuros        DOUBLE,
    percjuros       DOUBLE,           -- monthly, percent
    multa           DOUBLE,           -- percent of valor
    descontopgto    DOUBLE,
    pgtoI           DATE,             -- last day for the discount
    obs             VARCHAR(120),
    conta           VARCHAR(5),
    planoconta      VARCHAR(8),
    pgto            DATE,             -- NULL while open
    valorpago       DOUBLE,
    juros           DOUBLE,
    desconto        DOUBLE,
    obsI            VARCHAR(100),
    docorigem       VARCHAR(15),
    planojuros      VARCHAR(8),
    empresa         INT,
    centrocusto     VARCHAR(10),
    atraso          DOUBLE,
    juros1          DOUBLE,
    multa1          DOUBLE,
    valoratraso     DOUBLE,
    plconta         VARCHAR(8),
    Operador        VARCHAR(20),
    Data_Operacao   DATE,
    Hora_Operacao   VARCHAR(10),
    pagtoem         VARCHAR(1),
    Autorizado      VARCHAR(1),
    DataAutorizacao DATE,
    AutorizadoPor   VARCHAR(20),
    banco           INT,
    ag              VARCHAR(10),
    ContaCorrente   VARCHAR(5),
    cheque          INT,
    vale            VARCHAR(1),
    autorizacao     VARCHAR(20),
    KEY ix_docpagar_fornecedor (fornecedor, doc),
    KEY ix_docpagar_vencto (vencto),
    KEY ix_docpagar_emissao (emissao),
    KEY ix_docpagar_pgto (pgto)
);

-- The cash book: one row per movement on one account; C credit, D debit.
CREATE TABLE financeiro (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    conta           VARCHAR(5),       -- contascorrente.conta; CX at the counter; required
    data            DATE,             -- required
    historico       VARCHAR(80),
    tipo            VARCHAR(1),       -- required
    credito         DOUBLE,
    debito          DOUBLE,
    saldoconta      DOUBLE,
    saldoplanoconta DOUBLE,
    empresa         INT,
    Operador        VARCHAR(30),
    Data_Operacao   DATE,
    Hora_Operacao   VARCHAR(8),
    doc             VARCHAR(15),
    docorigem       VARCHAR(15),
    planoconta      VARCHAR(8),
    centrocusto     VARCHAR(10),
    qtd             DOUBLE,
    operador_rec    VARCHAR(30),
    data_rec        DATE,
    hora_rec        VARCHAR(8),
    KEY ix_financeiro_conta (conta, data),
    KEY ix_financeiro_data (data, historico),
    KEY ix_financeiro_planoconta (planoconta, data)
);

-- Chart of accounts; the code's length is its level.
CREATE TABLE planocontas (
    codigo          VARCHAR(8) PRIMARY KEY,
    descricao       VARCHAR(50),      -- required
    chave           VARCHAR(60),      -- code with its mask and the name; required
    deb1            DOUBLE,
    deb2            DOUBLE,
    deb3            DOUBLE,
    deb4            DOUBLE,
    deb5            DOUBLE,
    deb6            DOUBLE,
    deb7            DOUBLE,
    deb8            DOUBLE,
    deb9            DOUBLE,
    deb10           DOUBLE,
    deb11           DOUBLE,
    deb12           DOUBLE,
    cred1           DOUBLE,
    cred2           DOUBLE,
    cred3           DOUBLE,
    cred4           DOUBLE,
    cred5           DOUBLE,
    cred6           DOUBLE,
    cred7           DOUBLE,
    cred8           DOUBLE,
    cred9           DOUBLE,
    cred10          DOUBLE,
    cred11          DOUBLE,
    cred12          DOUBLE,
    saldoant        DOUBLE,
    KEY ix_planocontas_chave (chave)
);

-- Bank and cash accounts, keyed by conta.
CREATE TABLE contascorrente (
    conta           VARCHAR(5) PRIMARY KEY,
    descricao       VARCHAR(30),      -- required
    carteira        INT,
    N_Numero        DOUBLE,
    convenio        INT,
    banco           INT,
    agencia         INT,
    agenciad        VARCHAR(1),
    contacorrente   INT,
    contacorrented  VARCHAR(1),
    AgenciaCC       VARCHAR(16),
    AgenciaCCD      VARCHAR(1),
    pathretorno     VARCHAR(40),
    -- Legacy balances; those in use live in contascorrente_saldo.
    SaldoAnt        DOUBLE,
    deb1            DOUBLE,
    deb2            DOUBLE,
    deb3            DOUBLE,
    deb4            DOUBLE,
    deb5            DOUBLE,
    deb6            DOUBLE,
    deb7            DOUBLE,
    deb8            DOUBLE,
    deb9            DOUBLE,
    deb10           DOUBLE,
    deb11           DOUBLE,
    deb12           DOUBLE,
    cred1           DOUBLE,
    cred2           DOUBLE,
    cred3           DOUBLE,
    cred4           DOUBLE,
    cred5           DOUBLE,
    cred6           DOUBLE,
    cred7           DOUBLE,
    cred8           DOUBLE,
    cred9           DOUBLE,
    cred10          DOUBLE,
    cred11          DOUBLE,
    cred12          DOUBLE,
    empresa         INT,
    KEY ix_contascorrente_descricao (descricao)
);

-- Yearly balances of an account: at most one row per account and year.
CREATE TABLE contascorrente_saldo (
    conta           VARCHAR(5),
    ano             VARCHAR(4),
    SaldoAnt        DOUBLE,
    deb1            DOUBLE,
    deb2            DOUBLE,
    deb3            DOUBLE,
    deb4            DOUBLE,
    deb5            DOUBLE,
    deb6            DOUBLE,
    deb7            DOUBLE,
    deb8            DOUBLE,
    deb9            DOUBLE,
    deb10           DOUBLE,
    deb11           DOUBLE,
    deb12           DOUBLE,
    cred1           DOUBLE,
    cred2           DOUBLE,
    cred3           DOUBLE,
    cred4           DOUBLE,
    cred5           DOUBLE,
    cred6           DOUBLE,
    cred7           DOUBLE,
    cred8           DOUBLE,
    cred9           DOUBLE,
    cred10          DOUBLE,
    cred11          DOUBLE,
    cred12          DOUBLE,
    PRIMARY KEY (conta, ano)
);

-- Allocations of a payable or a cash movement among transport companies.
CREATE TABLE centrocusto (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    data            DATE,             -- required
    historico       VARCHAR(80),      -- required
    entrada         DOUBLE,
    saida           DOUBLE,
    sigla_transp    VARCHAR(2),       -- required
    favorecido      INT,              -- fornecedores.codigo; 0 for the cash book
    documento       VARCHAR(15),
    tipo            VARCHAR(1),       -- P money out, R money in
    KEY ix_centrocusto_documento (documento, favorecido),
    KEY ix_centrocusto_data (data)
);

-- Document types; read only by the program.
CREATE TABLE formapagto (
    codigo          VARCHAR(2) PRIMARY KEY,
    descricao       VARCHAR(50),      -- required
    dias            INT,
    comissao        DOUBLE
);

-- The document types the receivables use, so the payables list is not empty on a new database.
INSERT INTO formapagto (codigo, descricao) VALUES
    ('CC', 'CARTÃO DE CRÉDITO'), ('CP', 'CHEQUE PRÉ-DATADO'), ('DP', 'DUPLICATA'),
    ('EM', 'EMPENHO'), ('NF', 'NOTA FISCAL'), ('NP', 'NOTA PROMISSÓRIA'), ('OU', 'OUTRO');

-- Work tables of the management summary.
CREATE TABLE mapadesembolso (
    TipoI           VARCHAR(1),       -- sort key; required
    tipo            VARCHAR(3),       -- band A1 ... A12; required
    texto           VARCHAR(40),      -- required
    VlrReceber      DOUBLE,
    VlrPagar        DOUBLE
);

CREATE TABLE mapafaturamento (
    data            DATE,             -- required
    avista          DOUBLE,
    aprazo          DOUBLE,
    acumulado       DOUBLE
);

-- Employee tables; funcionario is the fornecedores.codigo, stored as a float.
CREATE TABLE emprestimos (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    data            DATE,             -- required
    credito         DOUBLE,
    debito          DOUBLE,
    saldo           DOUBLE,           -- loan balance after this row
    funcionario     DOUBLE,
    KEY ix_emprestimos_funcionario (funcionario, data)
);

CREATE TABLE faltasfunc (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    data            DATE,             -- required
    qtd             DOUBLE,
    funcionario     DOUBLE,
    tipo            VARCHAR(2),
    obs             VARCHAR(40),
    cliente         INT,
    KEY ix_faltasfunc_funcionario (funcionario, data)
);

CREATE TABLE horasextras (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    data            DATE,             -- required
    qtd             DOUBLE,           -- hours
    funcionario     DOUBLE,
    KEY ix_horasextras_funcionario (funcionario, data)
);

DELIMITER //

-- Removes the receivables stored without an insurer (cliente 0). Any other code is refused:
-- the same call with an insurer's code would wipe every receivable of that insurer.
CREATE PROCEDURE sp_d_docscliente0(IN d_cliente INT)
BEGIN
    IF d_cliente IS NULL OR d_cliente <> 0 THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'sp_d_docscliente0 remove apenas documentos sem cliente (0)';
    END IF;
    DELETE FROM docreceber WHERE cliente = 0;
END //

CREATE PROCEDURE sp_d_docsreceber(IN d_cod INT)
BEGIN
    DELETE FROM docreceber WHERE cod = d_cod;
END //

-- The receivables of a proposal take its (new) number. A remainder of a partial settlement
-- ("number/nn") keeps its /nn, so it stays apart from the installment it was split from;
-- when the number itself holds a slash the suffix cannot be told apart and the number is
-- written as given. No proposal (0 or less) or an empty number changes nothing: rows without
-- a proposal are not one family.
CREATE PROCEDURE sp_a_docreceberprop(IN d_producao INT, IN d_doc VARCHAR(20))
BEGIN
    IF d_producao > 0 AND TRIM(d_doc) <> '' THEN
        UPDATE docreceber
           SET doc = IF(LOCATE('/', d_doc) = 0 AND doc REGEXP '^[^/]+/[0-9]{2}$',
                        CONCAT(d_doc, SUBSTRING(doc, LOCATE('/', doc))), d_doc)
         WHERE producao = d_producao;
    END IF;
END //

-- Settles one receivable; d_pgto is 'yyyy/mm/dd' text, "0000/00/00" (stored NULL) when empty.
CREATE PROCEDURE sp_a_bxdocreceber(
    IN d_cod INT, IN d_conta VARCHAR(5), IN d_pgto VARCHAR(10), IN d_valorpago DOUBLE,
    IN d_liquido DOUBLE, IN d_docorigem VARCHAR(50))
BEGIN
    UPDATE docreceber
       SET conta = d_conta, pgto = fn_data(d_pgto), valorpago = d_valorpago,
           liquido = d_liquido, docorigem = d_docorigem
     WHERE cod = d_cod;
END //

DELIMITER ;

-- Commissions: the producers' commission ledger, the staging table of the last imported
-- statement, and the commission schedules (per producer, and what insurers pay the brokerage).

-- One row per credit or debit in a producer's account; the owner is repasse. Writers keep one
-- credit per (seguradora, producao, parcelas) by looking before inserting.
CREATE TABLE conta_produtor (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    producao        INT,              -- seguros.codigo; NULL for manual rows without a proposal
    data            DATE,
    segurado        INT,              -- seguros_clientes.codigo
    seguradora      INT,              -- clientes.codigo
    vendedor        INT,              -- fornecedores.codigo of the proposal's seller
    comissao        DOUBLE,           -- percent applied
    desconto        DOUBLE,           -- reais deducted from the credit
    premio          DOUBLE,           -- base the percentage applies to
    taxa            DOUBLE,
    parcelas        INT,              -- installment this row pays (not a count)
    apolice         VARCHAR(15),
    historico       VARCHAR(50),      -- closed set of texts the screens select by
    cancelado       VARCHAR(1),
    credito         DOUBLE,
    debito          DOUBLE,
    saldo           DOUBLE,           -- running balance, rewritten by the ledger listing
    corretora       INT,              -- empresas.codigo
    pago            VARCHAR(1),
    proposta        VARCHAR(15),
    pgtoem          VARCHAR(1),       -- D cash, T transfer, C cheque
    ncheque         INT,
    conta           VARCHAR(5),       -- contascorrente.conta
    repasse         INT,              -- fornecedores.codigo of the account owner
    docorigem       VARCHAR(50),      -- statement file the row came from
    KEY ix_conta_produtor_parcela (seguradora, producao, parcelas),
    KEY ix_conta_produtor_producao (producao),
    KEY ix_conta_produtor_repasse (repasse, data),
    KEY ix_conta_produtor_data (data, historico),
    KEY ix_conta_produtor_docorigem (docorigem)
);

-- Rows of the last imported statement; every import empties it first.
CREATE TABLE retorno (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    data_pgto       DATE,             -- required
    valor_doc       DOUBLE,           -- required
    data_baixa      DATE,
    apolice         VARCHAR(20),
    parcela         INT,              -- 0 or less: the row carries no commission
    fatura          VARCHAR(15),
    obs             VARCHAR(30),      -- COM.GERADA, SEM COMISSÃO, NÃO LOC., OK
    valor_base      DOUBLE,
    vlrcomissionado DOUBLE,
    valor_desc      DOUBLE,
    perc            DOUBLE,
    nome            VARCHAR(50),
    KEY ix_retorno_apolice (apolice, parcela)
);

-- Personalised commission schedule per producer.
CREATE TABLE com_prod_filial (
    seguradora      INT,              -- required
    vendedor        INT,              -- required
    filial          INT,              -- required
    produto         INT,              -- 0 for any product; required
    com1            DOUBLE,
    com2            DOUBLE,
    com3            DOUBLE,
    com4            DOUBLE,
    com5            DOUBLE,
    com6            DOUBLE,
    tipo            VARCHAR(2),
    adma            INT,              -- 0 for none
    KEY ix_com_prod_filial (seguradora, vendedor, produto, tipo, adma)
);

-- What each insurer pays the brokerage per installment and line.
CREATE TABLE com_segur_corretora (
    seguradora      INT,              -- required
    tipo            VARCHAR(2),       -- required
    com1            DOUBLE,
    com2            DOUBLE,
    com3            DOUBLE,
    com4            DOUBLE,
    com5            DOUBLE,
    vitalicio       VARCHAR(1),
    KEY ix_com_segur_corretora (seguradora, tipo)
);

-- Older form of com_segur_corretora, kept for its stored rows; nothing uses it.
CREATE TABLE com_seguradora_corr (
    seguradora      INT,              -- required
    tipo            VARCHAR(2),       -- required
    com1            DOUBLE,
    com2            DOUBLE,
    com3            DOUBLE,
    com4            DOUBLE,
    com5            DOUBLE,
    com6            DOUBLE,
    vitalicio       VARCHAR(1),
    KEY ix_com_seguradora_corr (seguradora, tipo)
);

DELIMITER //

CREATE PROCEDURE sp_i_compersonalizado(
    IN s_produto INT, IN s_filial INT, IN s_seguradora INT, IN s_vendedor INT,
    IN s_com1 DOUBLE, IN s_com2 DOUBLE, IN s_com3 DOUBLE, IN s_com4 DOUBLE, IN s_com5 DOUBLE,
    IN s_com6 DOUBLE, IN s_tipo VARCHAR(2), IN s_adma INT)
BEGIN
    INSERT INTO com_prod_filial (produto, filial, seguradora, vendedor, com1, com2, com3, com4,
                                 com5, com6, tipo, adma)
    VALUES (s_produto, s_filial, s_seguradora, s_vendedor, s_com1, s_com2, s_com3, s_com4,
            s_com5, s_com6, s_tipo, s_adma);
END //

CREATE PROCEDURE sp_a_seguroscom(
    IN s_codigo INT, IN S_com1 DOUBLE, IN S_com2 DOUBLE, IN S_com3 DOUBLE, IN S_com4 DOUBLE,
    IN S_com5 DOUBLE, IN S_com6 DOUBLE)
BEGIN
    UPDATE seguros
       SET com1 = S_com1, com2 = S_com2, com3 = S_com3, com4 = S_com4, com5 = S_com5,
           com6 = S_com6
     WHERE codigo = s_codigo;
END //

DELIMITER ;

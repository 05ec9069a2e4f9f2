-- Production: proposals of every line of business, the insured persons and companies, the
-- holder and dependant links, proposal history, sales goals and the seller-ranking work table.
-- Same conventions as the registry: VARCHAR texts, DOUBLE floats, DATE, INT; columns marked
-- required are checked by the screens. A reference that is not set holds 0.

-- Proposals and contracts. A proposal number is unique per insurer by use (the screens check),
-- not by key: imported data may already hold repeats.
CREATE TABLE seguros (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    segurado        INT,              -- seguros_clientes.codigo
    operador        VARCHAR(20),
    data_operacao   DATE,
    produto         INT,              -- produtos.codigo; required
    proposta        VARCHAR(20),      -- insurer's proposal number; required
    seguradora      INT,              -- clientes.codigo; required
    vendedor        INT,              -- fornecedores.codigo of the seller; required
    vlrcomissionado DOUBLE,           -- commissionable monthly premium
    producao        DATE,             -- day the proposal was sold; required
    efetivacao      DATE,             -- effective date; receivable schedules start here
    com1            DOUBLE,           -- seller's percentage for installments 1 to 6
    com2            DOUBLE,
    com3            DOUBLE,
    com4            DOUBLE,
    com5            DOUBLE,
    com6            DOUBLE,
    desccom         DOUBLE,           -- reais deducted from the credit of installment 2
    produtor        INT,              -- fornecedores.codigo of the Repasse producer, 0 for none
    vidas           INT,
    status_prop     INT,              -- statusprop.codigo; 8 is cancelled
    ntitular        VARCHAR(1),
    tipoSPG         VARCHAR(1),
    -- Lives per age band. Reports sum all ten, so none may be NULL.
    v18             INT DEFAULT 0,
    v23             INT DEFAULT 0,
    v28             INT DEFAULT 0,
    v33             INT DEFAULT 0,
    v38             INT DEFAULT 0,
    v43             INT DEFAULT 0,
    v48             INT DEFAULT 0,
    v53             INT DEFAULT 0,
    v58             INT DEFAULT 0,
    v59             INT DEFAULT 0,
    vencto1a        DATE,
    valor1a         DOUBLE,
    pgto1a          DATE,
    vlrparcelas     DOUBLE,
    adm_super       INT,              -- fornecedores.codigo of the supervisor, 0 for none
    tipo            VARCHAR(2),       -- line of business: 01 PME ... 08 credit card
    contrato        VARCHAR(15),
    contratoii      VARCHAR(15),      -- PME dental contract
    empresa         INT,              -- empresas.codigo of the owning branch
    acomodacao      VARCHAR(1),
    reembolso       INT,
    tipoAdesao      VARCHAR(1),
    administradora  INT,              -- adma.codigo, 0 or NULL for none
    pagarvital      INT,
    apolice         VARCHAR(15),      -- NULL until the insurer issues it
    dtcancel        DATE,
    regiao          INT,
    canalV          INT,
    origemV         INT,
    comA            DOUBLE,           -- auto and RE lines, read by their reports
    descA           DOUBLE,
    parcA           INT,
    veiculo         VARCHAR(40),
    vencto2a        DATE,
    formapgtoA      VARCHAR(2),
    KEY ix_seguros_proposta (proposta, seguradora),
    KEY ix_seguros_contrato (contrato),
    KEY ix_seguros_contratoii (contratoii),
    KEY ix_seguros_apolice (apolice),
    KEY ix_seguros_segurado (segurado),
    KEY ix_seguros_vendedor (vendedor),
    KEY ix_seguros_produtor (produtor),
    KEY ix_seguros_producao (producao),
    KEY ix_seguros_efetivacao (efetivacao),
    KEY ix_seguros_tipo (tipo, producao)
);

-- Insured persons and companies, shared by all proposals; found again by cnpj_cpf, or by
-- nome and mae for a dependant without CPF.
CREATE TABLE seguros_clientes (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    cnpj_cpf        VARCHAR(14),
    nome            VARCHAR(70),      -- required
    fantasia        VARCHAR(40),
    endereco        VARCHAR(70),
    bairro          VARCHAR(30),
    cep             VARCHAR(8),
    cidade          VARCHAR(40),
    estado          VARCHAR(2),
    email           VARCHAR(40),
    home            VARCHAR(40),
    fone1           VARCHAR(11),
    fone2           VARCHAR(11),
    fone3           VARCHAR(11),
    contato         VARCHAR(30),
    sexo            VARCHAR(1),
    dtnasc          DATE,
    nacionalidade   VARCHAR(4),
    rg              VARCHAR(15),
    emissaorg       DATE,
    orgaorg         VARCHAR(10),
    EstCivil        VARCHAR(1),
    Aposentado      VARCHAR(1),
    TempoServico    VARCHAR(1),
    Invalidez       VARCHAR(1),
    mae             VARCHAR(50),
    peso            VARCHAR(5),
    altura          VARCHAR(5),
    parentesco      VARCHAR(15),
    matricula       INT,
    profissao       INT,              -- profissoes.codigo, 0 for none
    entidade        INT,              -- entidades.codigo, 0 for none
    KEY ix_seguros_clientes_cnpj_cpf (cnpj_cpf),
    KEY ix_seguros_clientes_nome (nome, mae)
);

-- Holders of a PME proposal.
CREATE TABLE seguros_idclientes (
    seguro          INT,              -- seguros.codigo; required
    favorecido      INT,              -- seguros_clientes.codigo of the holder; required
    tipo            VARCHAR(1),       -- P
    carencia        VARCHAR(1),
    convenio        VARCHAR(20),
    KEY ix_seguros_idclientes_seguro (seguro, favorecido),
    KEY ix_seguros_idclientes_favorecido (favorecido)
);

-- Dependants of a proposal.
CREATE TABLE seguros_idterceiros (
    seguro          INT,              -- seguros.codigo; required
    favorecido      INT,              -- the holder the dependant belongs to; required
    terceiro        INT,              -- seguros_clientes.codigo of the dependant; required
    carencia        VARCHAR(1),
    convenio        VARCHAR(20),
    KEY ix_seguros_idterceiros_seguro (seguro, favorecido, terceiro),
    KEY ix_seguros_idterceiros_terceiro (terceiro)
);

-- One row per status a proposal took and per note typed on its history.
CREATE TABLE historico_seguros (
    codigo          INT AUTO_INCREMENT PRIMARY KEY,
    seguro          INT,
    data            DATE,             -- required
    hora            VARCHAR(4),       -- hhmm; required
    operador        VARCHAR(20),      -- required
    historico       VARCHAR(50),      -- required
    operacao        DATE,             -- day the row was written
    KEY ix_historico_seguros_seguro (seguro, data)
);

-- Monthly goals per line of business; a row is (referencia, opcao) by use.
CREATE TABLE metas (
    referencia      VARCHAR(6),       -- mmyyyy; required
    opcao           VARCHAR(2),       -- line-of-business code; required
    qtd             DOUBLE,
    KEY ix_metas_referencia (referencia, opcao)
);

CREATE TABLE metas_callcenter (
    referencia      VARCHAR(6),       -- mmyyyy; required
    opcao           VARCHAR(2),       -- required
    qtd             INT,              -- lives
    vlrbb           DOUBLE,           -- per life paid by boleto
    vlrcc           DOUBLE,           -- per life paid by credit card
    vlrmeta         DOUBLE,           -- per life above the goal
    KEY ix_metas_callcenter_referencia (referencia, opcao)
);

-- Seller ranking work table, emptied and refilled by every run that uses it.
CREATE TABLE curvaabc (
    vendedor        INT,              -- required
    pme             DOUBLE,
    indiv           DOUBLE,
    adesao          DOUBLE,
    auto            DOUBLE,
    re              DOUBLE,
    consorcio       DOUBLE,
    cartao          DOUBLE,
    vidas           DOUBLE,
    total           DOUBLE,
    KEY ix_curvaabc_vendedor (vendedor)
);

-- Fixed rows. Insured 0 ("N/I") stands for ledger entries without an insured; proposal 0 is
-- the placeholder manual ledger rows point to, so joins with seguros keep them. Both are
-- written with a real key first and moved to 0, since AUTO_INCREMENT treats 0 as "assign".
INSERT INTO seguros_clientes (nome) VALUES ('N/I');
UPDATE seguros_clientes SET codigo = 0 WHERE codigo = LAST_INSERT_ID();
ALTER TABLE seguros_clientes AUTO_INCREMENT = 1;

INSERT INTO seguros (produto, proposta, seguradora, vendedor, producao)
VALUES (0, '0', 0, 0, CURDATE());
UPDATE seguros SET codigo = 0 WHERE codigo = LAST_INSERT_ID();
ALTER TABLE seguros AUTO_INCREMENT = 1;

DELIMITER //

-- The date a procedure stores for a date argument. Update procedures receive 'yyyy/mm/dd' text
-- and "0000/00/00" for empty; insert procedures receive dates and 30/12/1899 for empty. Every
-- form of "no date" is stored as NULL, so "pgto is null" and similar tests keep their meaning.
-- An impossible date is refused by the strict sql_mode, never stored altered.
CREATE FUNCTION fn_data(p VARCHAR(20)) RETURNS DATE DETERMINISTIC
BEGIN
    DECLARE d DATE;
    IF p IS NULL OR TRIM(p) = '' THEN
        RETURN NULL;
    END IF;
    SET d = TRIM(p);
    IF d = '0000-00-00' OR d = '1899-12-30' THEN
        RETURN NULL;
    END IF;
    RETURN d;
END //

-- The insured row a CPF/CNPJ names: the first registered with it, as every look-up by
-- cnpj_cpf finds. A value without digits names nobody: several people are stored without
-- CPF, and an update keyed by it would overwrite all of them.
CREATE FUNCTION fn_seguradoporcpf(p VARCHAR(14)) RETURNS INT READS SQL DATA
BEGIN
    IF p IS NULL OR p NOT REGEXP '[0-9]' THEN
        RETURN NULL;
    END IF;
    RETURN (SELECT MIN(codigo) FROM seguros_clientes WHERE cnpj_cpf = p);
END //

-- Individual insured.
CREATE PROCEDURE sp_i_seguradosind(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_dtnasc DATE,
    IN s_endereco VARCHAR(70), IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8),
    IN s_cidade VARCHAR(40), IN s_estado VARCHAR(2), IN s_email VARCHAR(40),
    IN s_fone1 VARCHAR(11), IN s_fone2 VARCHAR(11), IN s_mae VARCHAR(50),
    IN s_profissao INT, IN s_entidade INT)
BEGIN
    INSERT INTO seguros_clientes (cnpj_cpf, nome, dtnasc, endereco, bairro, cep, cidade, estado,
                                  email, fone1, fone2, mae, profissao, entidade)
    VALUES (s_cnpj_cpf, s_nome, fn_data(s_dtnasc), s_endereco, s_bairro, s_cep, s_cidade,
            s_estado, s_email, s_fone1, s_fone2, s_mae, s_profissao, s_entidade);
END //

-- Changes only the one row the CPF names (see fn_seguradoporcpf); an empty CPF changes nothing.
CREATE PROCEDURE sp_a_seguradosind(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_dtnasc VARCHAR(10),
    IN s_endereco VARCHAR(70), IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8),
    IN s_cidade VARCHAR(40), IN s_estado VARCHAR(2), IN s_email VARCHAR(40),
    IN s_fone1 VARCHAR(11), IN s_fone2 VARCHAR(11), IN s_mae VARCHAR(50),
    IN s_profissao INT, IN s_entidade INT)
BEGIN
    DECLARE v_codigo INT DEFAULT fn_seguradoporcpf(s_cnpj_cpf);
    UPDATE seguros_clientes
       SET nome = s_nome, dtnasc = fn_data(s_dtnasc), endereco = s_endereco,
           bairro = s_bairro, cep = s_cep, cidade = s_cidade, estado = s_estado,
           email = s_email, fone1 = s_fone1, fone2 = s_fone2, mae = s_mae,
           profissao = s_profissao, entidade = s_entidade
     WHERE codigo = v_codigo;
END //

-- PME company.
CREATE PROCEDURE sp_i_segurados(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_fantasia VARCHAR(40),
    IN s_endereco VARCHAR(70), IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8),
    IN s_cidade VARCHAR(40), IN s_estado VARCHAR(2), IN s_email VARCHAR(40),
    IN s_home VARCHAR(40), IN s_fone1 VARCHAR(11), IN s_fone2 VARCHAR(11),
    IN s_fone3 VARCHAR(11), IN s_contato VARCHAR(30))
BEGIN
    INSERT INTO seguros_clientes (cnpj_cpf, nome, fantasia, endereco, bairro, cep, cidade,
                                  estado, email, home, fone1, fone2, fone3, contato)
    VALUES (s_cnpj_cpf, s_nome, s_fantasia, s_endereco, s_bairro, s_cep, s_cidade, s_estado,
            s_email, s_home, s_fone1, s_fone2, s_fone3, s_contato);
END //

-- Same one-row rule as sp_a_seguradosind.
CREATE PROCEDURE sp_a_segurados(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_fantasia VARCHAR(40),
    IN s_endereco VARCHAR(70), IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8),
    IN s_cidade VARCHAR(40), IN s_estado VARCHAR(2), IN s_email VARCHAR(40),
    IN s_home VARCHAR(40), IN s_fone1 VARCHAR(11), IN s_fone2 VARCHAR(11),
    IN s_fone3 VARCHAR(11), IN s_contato VARCHAR(30))
BEGIN
    DECLARE v_codigo INT DEFAULT fn_seguradoporcpf(s_cnpj_cpf);
    UPDATE seguros_clientes
       SET nome = s_nome, fantasia = s_fantasia, endereco = s_endereco, bairro = s_bairro,
           cep = s_cep, cidade = s_cidade, estado = s_estado, email = s_email, home = s_home,
           fone1 = s_fone1, fone2 = s_fone2, fone3 = s_fone3, contato = s_contato
     WHERE codigo = v_codigo;
END //

-- PME holder.
CREATE PROCEDURE sp_i_titulares(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_endereco VARCHAR(70),
    IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8), IN s_cidade VARCHAR(40),
    IN s_estado VARCHAR(2), IN s_email VARCHAR(40), IN s_sexo VARCHAR(1), IN s_dtnasc DATE,
    IN s_nacionalidade VARCHAR(4), IN s_rg VARCHAR(15), IN s_emissaorg DATE,
    IN s_orgaorg VARCHAR(10), IN s_EstCivil VARCHAR(1), IN s_profissao INT,
    IN s_Aposentado VARCHAR(1), IN s_TempoServico VARCHAR(1), IN s_Invalidez VARCHAR(1),
    IN s_mae VARCHAR(50), IN s_peso VARCHAR(5), IN s_altura VARCHAR(5), IN s_matricula INT)
BEGIN
    INSERT INTO seguros_clientes (cnpj_cpf, nome, endereco, bairro, cep, cidade, estado, email,
                                  sexo, dtnasc, nacionalidade, rg, emissaorg, orgaorg, EstCivil,
                                  profissao, Aposentado, TempoServico, Invalidez, mae, peso,
                                  altura, matricula)
    VALUES (s_cnpj_cpf, s_nome, s_endereco, s_bairro, s_cep, s_cidade, s_estado, s_email,
            s_sexo, fn_data(s_dtnasc), s_nacionalidade, s_rg, fn_data(s_emissaorg), s_orgaorg,
            s_EstCivil, s_profissao, s_Aposentado, s_TempoServico, s_Invalidez, s_mae, s_peso,
            s_altura, s_matricula);
END //

CREATE PROCEDURE sp_a_titulares(
    IN s_codigo INT,
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_endereco VARCHAR(70),
    IN s_bairro VARCHAR(30), IN s_cep VARCHAR(8), IN s_cidade VARCHAR(40),
    IN s_estado VARCHAR(2), IN s_email VARCHAR(40), IN s_sexo VARCHAR(1), IN s_dtnasc DATE,
    IN s_nacionalidade VARCHAR(4), IN s_rg VARCHAR(15), IN s_emissaorg DATE,
    IN s_orgaorg VARCHAR(10), IN s_EstCivil VARCHAR(1), IN s_profissao INT,
    IN s_Aposentado VARCHAR(1), IN s_TempoServico VARCHAR(1), IN s_Invalidez VARCHAR(1),
    IN s_mae VARCHAR(50), IN s_peso VARCHAR(5), IN s_altura VARCHAR(5))
BEGIN
    UPDATE seguros_clientes
       SET cnpj_cpf = s_cnpj_cpf, nome = s_nome, endereco = s_endereco, bairro = s_bairro,
           cep = s_cep, cidade = s_cidade, estado = s_estado, email = s_email, sexo = s_sexo,
           dtnasc = fn_data(s_dtnasc), nacionalidade = s_nacionalidade, rg = s_rg,
           emissaorg = fn_data(s_emissaorg), orgaorg = s_orgaorg, EstCivil = s_EstCivil,
           profissao = s_profissao, Aposentado = s_Aposentado, TempoServico = s_TempoServico,
           Invalidez = s_Invalidez, mae = s_mae, peso = s_peso, altura = s_altura
     WHERE codigo = s_codigo;
END //

-- Dependant.
CREATE PROCEDURE sp_i_terceiros(
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_sexo VARCHAR(1), IN s_dtnasc DATE,
    IN s_EstCivil VARCHAR(1), IN s_mae VARCHAR(50), IN s_peso VARCHAR(5),
    IN s_altura VARCHAR(5), IN s_parentesco VARCHAR(15))
BEGIN
    INSERT INTO seguros_clientes (cnpj_cpf, nome, sexo, dtnasc, EstCivil, mae, peso, altura,
                                  parentesco)
    VALUES (s_cnpj_cpf, s_nome, s_sexo, fn_data(s_dtnasc), s_EstCivil, s_mae, s_peso, s_altura,
            s_parentesco);
END //

CREATE PROCEDURE sp_a_terceiros(
    IN s_codigo INT,
    IN s_cnpj_cpf VARCHAR(14), IN s_nome VARCHAR(70), IN s_sexo VARCHAR(1), IN s_dtnasc DATE,
    IN s_EstCivil VARCHAR(1), IN s_mae VARCHAR(50), IN s_peso VARCHAR(5),
    IN s_altura VARCHAR(5), IN s_parentesco VARCHAR(15))
BEGIN
    UPDATE seguros_clientes
       SET cnpj_cpf = s_cnpj_cpf, nome = s_nome, sexo = s_sexo, dtnasc = fn_data(s_dtnasc),
           EstCivil = s_EstCivil, mae = s_mae, peso = s_peso, altura = s_altura,
           parentesco = s_parentesco
     WHERE codigo = s_codigo;
END //

CREATE PROCEDURE sp_a_seguros_idterceiros(
    IN s_seguro INT, IN s_favorecido INT, IN s_terceiro INT, IN s_carencia VARCHAR(1),
    IN s_convenio VARCHAR(20))
BEGIN
    UPDATE seguros_idterceiros
       SET carencia = s_carencia, convenio = s_convenio
     WHERE seguro = s_seguro AND favorecido = s_favorecido AND terceiro = s_terceiro;
END //

-- Individual or adhesion proposal. The screens pass no branch; the current company is
-- always 1, as the PME screen writes.
CREATE PROCEDURE sp_i_seguros(
    IN s_operador VARCHAR(20), IN s_data_operacao DATE, IN s_produto INT,
    IN s_proposta VARCHAR(20), IN s_producao DATE, IN s_efetivacao DATE, IN s_seguradora INT,
    IN s_vendedor INT, IN s_status_prop INT, IN s_vlrcomissionado DOUBLE, IN s_segurado INT,
    IN s_com1 DOUBLE, IN s_com2 DOUBLE, IN s_com3 DOUBLE, IN s_com4 DOUBLE, IN s_com5 DOUBLE,
    IN s_com6 DOUBLE, IN s_desccom DOUBLE, IN s_produtor INT, IN s_vidas INT,
    IN s_adm_super INT, IN s_tipo VARCHAR(2), IN s_contrato VARCHAR(15),
    IN s_administradora INT)
BEGIN
    INSERT INTO seguros (operador, data_operacao, produto, proposta, producao, efetivacao,
                         seguradora, vendedor, status_prop, vlrcomissionado, segurado, com1,
                         com2, com3, com4, com5, com6, desccom, produtor, vidas, adm_super, tipo,
                         contrato, administradora, empresa)
    VALUES (s_operador, fn_data(s_data_operacao), s_produto, s_proposta, fn_data(s_producao),
            fn_data(s_efetivacao), s_seguradora, s_vendedor, s_status_prop, s_vlrcomissionado,
            s_segurado, s_com1, s_com2, s_com3, s_com4, s_com5, s_com6, s_desccom, s_produtor,
            s_vidas, s_adm_super, s_tipo, s_contrato, s_administradora, 1);
END //

-- s_codigo arrives as the six-digit text ("000123"); the INT parameter reads it as 123.
CREATE PROCEDURE sp_a_seguros(
    IN s_codigo INT, IN s_produto INT, IN s_proposta VARCHAR(20), IN s_seguradora INT,
    IN s_vendedor INT, IN s_status_prop INT, IN s_vlrcomissionado DOUBLE,
    IN s_producao VARCHAR(10), IN s_efetivacao VARCHAR(10), IN s_produtor INT, IN s_vidas INT,
    IN s_adm_super INT, IN s_contrato VARCHAR(15), IN s_com1 DOUBLE,
    IN s_administradora INT)
BEGIN
    UPDATE seguros
       SET produto = s_produto, proposta = s_proposta, seguradora = s_seguradora,
           vendedor = s_vendedor, status_prop = s_status_prop,
           vlrcomissionado = s_vlrcomissionado, producao = fn_data(s_producao),
           efetivacao = fn_data(s_efetivacao), produtor = s_produtor, vidas = s_vidas,
           adm_super = s_adm_super, contrato = s_contrato, com1 = s_com1,
           administradora = s_administradora
     WHERE codigo = s_codigo;
END //

-- PME proposal.
CREATE PROCEDURE sp_i_segurospme(
    IN s_tipo VARCHAR(2), IN s_operador VARCHAR(20), IN s_data_operacao DATE,
    IN s_produto INT, IN s_proposta VARCHAR(20), IN s_producao DATE, IN s_seguradora INT,
    IN s_vendedor INT, IN s_status_prop INT, IN s_ntitular VARCHAR(1),
    IN s_tipoSPG VARCHAR(1), IN s_v18 INT, IN s_v23 INT, IN s_vlrcomissionado DOUBLE,
    IN s_segurado INT, IN s_vencto1a DATE, IN s_valor1a DOUBLE, IN s_vlrparcelas DOUBLE,
    IN s_empresa INT, IN s_produtor INT, IN s_adm_super INT, IN s_contrato VARCHAR(15),
    IN s_contratoii VARCHAR(15), IN s_efetivacao DATE, IN s_acomodacao VARCHAR(1),
    IN s_reembolso INT, IN s_tipoAdesao VARCHAR(1), IN s_administradora INT,
    IN s_com1 DOUBLE, IN s_com2 DOUBLE, IN s_com3 DOUBLE, IN s_com4 DOUBLE, IN s_com5 DOUBLE,
    IN s_com6 DOUBLE, IN s_pagarvital INT)
BEGIN
    INSERT INTO seguros (tipo, operador, data_operacao, produto, proposta, producao, seguradora,
                         vendedor, status_prop, ntitular, tipoSPG, v18, v23, vlrcomissionado,
                         segurado, vencto1a, valor1a, vlrparcelas, empresa, produtor, adm_super,
                         contrato, contratoii, efetivacao, acomodacao, reembolso, tipoAdesao,
                         administradora, com1, com2, com3, com4, com5, com6, pagarvital)
    VALUES (s_tipo, s_operador, fn_data(s_data_operacao), s_produto, s_proposta,
            fn_data(s_producao), s_seguradora, s_vendedor, s_status_prop, s_ntitular, s_tipoSPG,
            IFNULL(s_v18, 0), IFNULL(s_v23, 0), s_vlrcomissionado, s_segurado,
            fn_data(s_vencto1a), s_valor1a, s_vlrparcelas, s_empresa, s_produtor, s_adm_super,
            s_contrato, s_contratoii, fn_data(s_efetivacao), s_acomodacao, s_reembolso,
            s_tipoAdesao, s_administradora, s_com1, s_com2, s_com3, s_com4, s_com5, s_com6,
            s_pagarvital);
END //

CREATE PROCEDURE sp_a_segurospme(
    IN s_codigo INT, IN s_produto INT, IN s_proposta VARCHAR(20), IN s_contrato VARCHAR(15),
    IN s_seguradora INT, IN s_vendedor INT, IN s_status_prop INT, IN s_ntitular VARCHAR(1),
    IN s_tipoSPG VARCHAR(1), IN s_v18 INT, IN s_v23 INT, IN s_vlrcomissionado DOUBLE,
    IN s_producao VARCHAR(10), IN s_efetivacao VARCHAR(10), IN s_vencto1a VARCHAR(10),
    IN s_valor1a DOUBLE, IN s_pgto1a VARCHAR(10), IN s_vlrparcelas DOUBLE, IN s_empresa INT,
    IN s_produtor INT, IN s_adm_super INT, IN s_contratoii VARCHAR(15),
    IN s_acomodacao VARCHAR(1), IN s_reembolso INT, IN s_tipoAdesao VARCHAR(1),
    IN s_administradora INT, IN s_pagarvital INT)
BEGIN
    UPDATE seguros
       SET produto = s_produto, proposta = s_proposta, contrato = s_contrato,
           seguradora = s_seguradora, vendedor = s_vendedor, status_prop = s_status_prop,
           ntitular = s_ntitular, tipoSPG = s_tipoSPG, v18 = IFNULL(s_v18, 0),
           v23 = IFNULL(s_v23, 0), vlrcomissionado = s_vlrcomissionado,
           producao = fn_data(s_producao), efetivacao = fn_data(s_efetivacao),
           vencto1a = fn_data(s_vencto1a), valor1a = s_valor1a, pgto1a = fn_data(s_pgto1a),
           vlrparcelas = s_vlrparcelas, empresa = s_empresa, produtor = s_produtor,
           adm_super = s_adm_super, contratoii = s_contratoii, acomodacao = s_acomodacao,
           reembolso = s_reembolso, tipoAdesao = s_tipoAdesao,
           administradora = s_administradora, pagarvital = s_pagarvital
     WHERE codigo = s_codigo;
END //

DELIMITER ;

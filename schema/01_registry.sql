-- Registry and system tables: users, parameters, audit trail, insurers and clients,
-- producers/sellers/suppliers/employees, companies, products and look-up lists.
-- Texts are VARCHAR, floats DOUBLE, dates DATE, integers INT. Keys are auto-increment.

CREATE TABLE usuarios (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(30),      -- login name, upper case; required
    senha         VARCHAR(6),       -- scrambled password; required
    cadastro      VARCHAR(1),
    producao      VARCHAR(1),
    movimentacao  VARCHAR(1),
    financeiro    VARCHAR(1),
    usuarios      VARCHAR(1),
    parametros    VARCHAR(1),
    rh            VARCHAR(1),
    pme           VARCHAR(1),
    individual    VARCHAR(1),
    auto          VARCHAR(1),
    tabelas       VARCHAR(1),
    filial        INT,              -- empresas.codigo; below 1 for none
    matriz        VARCHAR(1),       -- S head office, N otherwise
    KEY ix_usuarios_nome (nome)
);

-- One row of office-wide settings; no key. Readers take the first row.
CREATE TABLE parametros (
    cnpj          VARCHAR(15),
    razaosocial   VARCHAR(70),
    Endereco      VARCHAR(50),
    Fantasia      VARCHAR(30),
    Cidade        VARCHAR(30),
    Estado        VARCHAR(2),
    recibo        INT,              -- number of the last receipt issued
    ContaCaixa    VARCHAR(5),
    ContaBanco    VARCHAR(5),
    percImp       DOUBLE,
    vlrsetorpme   DOUBLE,
    GerGeralAut   INT,
    GerSetorAut   INT,
    txadm         DOUBLE,
    comGA         DOUBLE,
    encPME        DOUBLE,
    encInd        DOUBLE
);

INSERT INTO parametros (cnpj, razaosocial, Endereco, Fantasia, Cidade, Estado, recibo, comGA)
VALUES ('', '', '', '', '', '', 0, 100);

-- Audit trail; append-only, no key.
CREATE TABLE rastro (
    data          DATE,
    hora          VARCHAR(10),      -- hh:mm:ss
    operador      VARCHAR(30),      -- as wide as usuarios.nome so no audit row ever fails
    operacao      VARCHAR(1),
    rotina        VARCHAR(15),
    historico     VARCHAR(70),
    favorecido    INT,
    valor         DOUBLE,
    obs           VARCHAR(70),
    KEY ix_rastro_data (data, operador)
);

-- Insurers and health-plan operators.
CREATE TABLE clientes (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    cnpj_cpf      VARCHAR(14),
    ie_rg         VARCHAR(15),
    nome          VARCHAR(70),      -- required
    fantasia      VARCHAR(50),
    contato       VARCHAR(30),
    endereco      VARCHAR(70),
    bairro        VARCHAR(30),
    cidade        VARCHAR(30),
    estado        VARCHAR(2),
    cep           VARCHAR(8),
    fone1         VARCHAR(11),
    fone2         VARCHAR(11),
    fone3         VARCHAR(11),
    sexo          VARCHAR(1),
    dtnasc        DATE,
    email         VARCHAR(60),
    homepage      VARCHAR(40),
    obs           VARCHAR(100),
    cadastro      DATE,
    taxaPME       DOUBLE,
    taxaInd       DOUBLE,
    KEY ix_clientes_nome (nome),
    KEY ix_clientes_fantasia (fantasia),
    KEY ix_clientes_cnpj_cpf (cnpj_cpf)
);

-- Producers/sellers, suppliers and employees.
CREATE TABLE fornecedores (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    tipo          VARCHAR(1),       -- F natural person, J legal person; required
    cnpj          VARCHAR(14),
    ie            VARCHAR(15),
    im            VARCHAR(15),
    cpf           VARCHAR(11),
    rg            VARCHAR(30),
    orgaoemissor  VARCHAR(5),
    nome          VARCHAR(70),
    fantasia      VARCHAR(50),
    apelido       VARCHAR(30),      -- the seller's name in lists and reports
    contato       VARCHAR(30),
    endereco      VARCHAR(70),
    bairro        VARCHAR(30),
    cidade        VARCHAR(30),
    estado        VARCHAR(2),
    cep           VARCHAR(8),
    fone1         VARCHAR(11),
    fone2         VARCHAR(11),
    fone3         VARCHAR(11),
    email         VARCHAR(40),
    homepage      VARCHAR(40),
    obs           VARCHAR(100),
    dtnasc        DATE,
    sexo          VARCHAR(1),
    funcao        VARCHAR(30),
    situacao      VARCHAR(1),
    banco         VARCHAR(30),
    agencia       VARCHAR(7),
    cc            VARCHAR(9),
    tipocc        VARCHAR(1),
    planoconta    VARCHAR(15),
    contacontabil INT,
    empresa       INT,              -- seller's branch; the Repasse producer key for sellers
    debencargos   INT,
    pagarvital    INT,
    com2setorPME  VARCHAR(1),
    cnh           VARCHAR(15),
    dtcnh         DATE,
    ctps          VARCHAR(15),
    inss_pis      VARCHAR(15),
    planosaude    VARCHAR(25),
    pai           VARCHAR(50),
    mae           VARCHAR(50),
    nfilhos       INT,
    ndependentes  INT,
    dtadmissao    DATE,
    dtdemissao    DATE,
    salario       DOUBLE,
    premio        DOUBLE,
    departamento  VARCHAR(30),
    KEY ix_fornecedores_nome (nome),
    KEY ix_fornecedores_fantasia (fantasia),
    KEY ix_fornecedores_apelido (apelido),
    KEY ix_fornecedores_cnpj (cnpj),
    KEY ix_fornecedores_cpf (cpf)
);

-- The brokerage's head office and branches.
CREATE TABLE empresas (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    cnpj_cpf      VARCHAR(14),
    ie_rg         VARCHAR(15),
    nome          VARCHAR(70),      -- required
    fantasia      VARCHAR(50),
    contato       VARCHAR(30),
    endereco      VARCHAR(70),
    bairro        VARCHAR(30),
    cidade        VARCHAR(30),
    estado        VARCHAR(2),
    cep           VARCHAR(8),
    fone1         VARCHAR(11),
    fone2         VARCHAR(11),
    fone3         VARCHAR(11),
    email         VARCHAR(60),
    homepage      VARCHAR(40),
    cadastro      DATE,
    KEY ix_empresas_nome (nome),
    KEY ix_empresas_fantasia (fantasia),
    KEY ix_empresas_cnpj_cpf (cnpj_cpf)
);

CREATE TABLE produtos (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),      -- required
    seguradora    INT,              -- clientes.codigo
    ativo         VARCHAR(1),
    comissao      DOUBLE,
    KEY ix_produtos_nome (nome),
    KEY ix_produtos_seguradora (seguradora)
);

-- Look-up lists.
CREATE TABLE adma (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),
    ativo         VARCHAR(1),
    KEY ix_adma_nome (nome)
);

CREATE TABLE entidades (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),
    ativo         VARCHAR(1),
    KEY ix_entidades_nome (nome)
);

CREATE TABLE profissoes (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),
    ativo         VARCHAR(1),
    KEY ix_profissoes_nome (nome)
);

CREATE TABLE regiao (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),
    ativo         VARCHAR(1),
    KEY ix_regiao_nome (nome)
);

CREATE TABLE statusprop (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    nome          VARCHAR(40),
    ativo         VARCHAR(1),
    KEY ix_statusprop_nome (nome)
);

CREATE TABLE origemvendas (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    descricao     VARCHAR(50),
    ativo         VARCHAR(1),
    KEY ix_origemvendas_descricao (descricao)
);

CREATE TABLE canalvendas (
    codigo        INT AUTO_INCREMENT PRIMARY KEY,
    descricao     VARCHAR(50),
    ativo         VARCHAR(1),
    KEY ix_canalvendas_descricao (descricao)
);

-- States; read only.
CREATE TABLE estados (
    uf            VARCHAR(2),
    icms          DOUBLE,
    CodUf         VARCHAR(2),
    PRIMARY KEY (uf)
);

INSERT INTO estados (uf, icms, CodUf) VALUES
    ('AC', 19, '12'), ('AL', 19, '27'), ('AM', 20, '13'), ('AP', 18, '16'),
    ('BA', 20.5, '29'), ('CE', 20, '23'), ('DF', 20, '53'), ('ES', 17, '32'),
    ('GO', 19, '52'), ('MA', 22, '21'), ('MG', 18, '31'), ('MS', 17, '50'),
    ('MT', 17, '51'), ('PA', 19, '15'), ('PB', 20, '25'), ('PE', 20.5, '26'),
    ('PI', 21, '22'), ('PR', 19.5, '41'), ('RJ', 22, '33'), ('RN', 18, '24'),
    ('RO', 19.5, '11'), ('RR', 20, '14'), ('RS', 17, '43'), ('SC', 17, '42'),
    ('SE', 19, '28'), ('SP', 18, '35'), ('TO', 20, '17');

-- Brokers; read only, a source for creating sellers.
CREATE TABLE corretores (
    id_corretor     INT,
    sit_corretor    TEXT,
    nome_corretor   VARCHAR(200),
    rg_corretor     VARCHAR(50),
    cpf_corretor    VARCHAR(50),
    nasc_corretor   DATE,
    end_corretor    VARCHAR(200),
    bairro_corretor VARCHAR(50),
    cidade_corretor VARCHAR(50),
    estado_corretor VARCHAR(5),
    fone_corretor1  VARCHAR(15),
    fone_corretor2  VARCHAR(15),
    email_corretor  VARCHAR(100),
    KEY ix_corretores_id (id_corretor)
);

DELIMITER //

-- Appends one audit row; the nine values in column order.
CREATE PROCEDURE sp_i_rastro(
    IN r_data DATE, IN r_hora VARCHAR(10), IN r_operador VARCHAR(30), IN r_rotina VARCHAR(15),
    IN r_operacao VARCHAR(1), IN r_historico VARCHAR(70), IN r_favorecido INT,
    IN r_valor DOUBLE, IN r_obs VARCHAR(70))
BEGIN
    INSERT INTO rastro (data, hora, operador, rotina, operacao, historico, favorecido, valor, obs)
    VALUES (r_data, r_hora, r_operador, r_rotina, r_operacao, r_historico, r_favorecido,
            r_valor, r_obs);
END //

DELIMITER ;

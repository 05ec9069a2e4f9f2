#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace arvo::test {

/// The parameters of every production, commission and finance procedure in their fixed call
/// order, as the screens bind them.
inline const QHash<QString, QStringList>& callOrders()
{
    static const QHash<QString, QStringList> orders = [] {
        const QStringList individual{"s_cnpj_cpf", "s_nome",     "s_dtnasc", "s_endereco",
                                     "s_bairro",   "s_cep",      "s_cidade", "s_estado",
                                     "s_email",    "s_fone1",    "s_fone2",  "s_mae",
                                     "s_profissao", "s_entidade"};
        const QStringList company{"s_cnpj_cpf", "s_nome",  "s_fantasia", "s_endereco", "s_bairro",
                                  "s_cep",      "s_cidade", "s_estado",  "s_email",    "s_home",
                                  "s_fone1",    "s_fone2", "s_fone3",    "s_contato"};
        const QStringList holder{
            "s_cnpj_cpf",  "s_nome",      "s_endereco",   "s_bairro",   "s_cep",
            "s_cidade",    "s_estado",    "s_email",      "s_sexo",     "s_dtnasc",
            "s_nacionalidade", "s_rg",    "s_emissaorg",  "s_orgaorg",  "s_EstCivil",
            "s_profissao", "s_Aposentado", "s_TempoServico", "s_Invalidez", "s_mae",
            "s_peso",      "s_altura",    "s_matricula"};
        const QStringList dependant{"s_cnpj_cpf", "s_nome", "s_sexo",   "s_dtnasc",
                                    "s_EstCivil", "s_mae",  "s_peso",   "s_altura",
                                    "s_parentesco"};
        QHash<QString, QStringList> o;
        o["sp_i_seguradosind"] = individual;
        o["sp_a_seguradosind"] = individual;
        o["sp_i_segurados"] = company;
        o["sp_a_segurados"] = company;
        o["sp_i_titulares"] = holder;
        o["sp_a_titulares"] = QStringList{"s_codigo"} + holder.mid(0, 22);
        o["sp_i_terceiros"] = dependant;
        o["sp_a_terceiros"] = QStringList{"s_codigo"} + dependant;
        o["sp_a_seguros_idterceiros"] = {"s_seguro", "s_favorecido", "s_terceiro", "s_carencia",
                                         "s_convenio"};
        o["sp_i_seguros"] = {"s_operador",  "s_data_operacao", "s_produto",   "s_proposta",
                             "s_producao",  "s_efetivacao",    "s_seguradora", "s_vendedor",
                             "s_status_prop", "s_vlrcomissionado", "s_segurado", "s_com1",
                             "s_com2",      "s_com3",          "s_com4",      "s_com5",
                             "s_com6",      "s_desccom",       "s_produtor",  "s_vidas",
                             "s_adm_super", "s_tipo",          "s_contrato",  "s_administradora"};
        o["sp_a_seguros"] = {"s_codigo",     "s_produto",   "s_proposta",  "s_seguradora",
                             "s_vendedor",   "s_status_prop", "s_vlrcomissionado", "s_producao",
                             "s_efetivacao", "s_produtor",  "s_vidas",     "s_adm_super",
                             "s_contrato",   "s_com1",      "s_administradora"};
        o["sp_i_segurospme"] = {
            "s_tipo",       "s_operador",  "s_data_operacao", "s_produto",   "s_proposta",
            "s_producao",   "s_seguradora", "s_vendedor",     "s_status_prop", "s_ntitular",
            "s_tipoSPG",    "s_v18",       "s_v23",           "s_vlrcomissionado", "s_segurado",
            "s_vencto1a",   "s_valor1a",   "s_vlrparcelas",   "s_empresa",   "s_produtor",
            "s_adm_super",  "s_contrato",  "s_contratoii",    "s_efetivacao", "s_acomodacao",
            "s_reembolso",  "s_tipoAdesao", "s_administradora", "s_com1",     "s_com2",
            "s_com3",       "s_com4",      "s_com5",          "s_com6",      "s_pagarvital"};
        o["sp_a_segurospme"] = {
            "s_codigo",    "s_produto",   "s_proposta",   "s_contrato",  "s_seguradora",
            "s_vendedor",  "s_status_prop", "s_ntitular", "s_tipoSPG",   "s_v18",
            "s_v23",       "s_vlrcomissionado", "s_producao", "s_efetivacao", "s_vencto1a",
            "s_valor1a",   "s_pgto1a",    "s_vlrparcelas", "s_empresa",  "s_produtor",
            "s_adm_super", "s_contratoii", "s_acomodacao", "s_reembolso", "s_tipoAdesao",
            "s_administradora", "s_pagarvital"};
        o["sp_i_compersonalizado"] = {"s_produto", "s_filial", "s_seguradora", "s_vendedor",
                                      "s_com1",    "s_com2",   "s_com3",       "s_com4",
                                      "s_com5",    "s_com6",   "s_tipo",       "s_adma"};
        o["sp_a_seguroscom"] = {"s_codigo", "S_com1", "S_com2", "S_com3",
                                "S_com4",   "S_com5", "S_com6"};
        o["sp_d_docscliente0"] = {"d_cliente"};
        o["sp_d_docsreceber"] = {"d_cod"};
        o["sp_a_docreceberprop"] = {"d_producao", "d_doc"};
        o["sp_a_bxdocreceber"] = {"d_cod",     "d_conta",   "d_pgto",
                                  "d_valorpago", "d_liquido", "d_docorigem"};
        return o;
    }();
    return orders;
}

} // namespace arvo::test

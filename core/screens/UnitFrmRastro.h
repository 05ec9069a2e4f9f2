#pragma once

#include "core/RastroFilter.h"
#include "platform/db/Db.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QStatusBar;
class QTableView;

namespace arvo {
class DateField;
namespace report {
class Report;
}
} // namespace arvo

/// The audit viewer (Ferramentas ▸ Auditoria): filters the audit trail and prints it. It only
/// reads rows.
class TFrmRastro : public QDialog
{
    Q_OBJECT
public:
    TFrmRastro(arvo::Db& db, const QString& currentUser, QWidget* parent = nullptr);
    ~TFrmRastro() override;

    /// The fields as typed.
    arvo::RastroFilter filter() const;
    /// The rows the last Filtrar found.
    const arvo::Rows& rows() const { return m_rows; }
    /// The report of the rows shown, as Relatório previews it.
    arvo::report::Report report() const;

public Q_SLOTS:
    void btfiltrarClick();
    void BitBtn1Click();
    void edvalorExit();

private:
    void fillOperators();
    void fillGrid();

    arvo::Db& m_db;
    QString m_user;
    arvo::Rows m_rows;
    QLineEdit* medatainicial;
    QLineEdit* medatafinal;
    QComboBox* cboperador;
    QComboBox* cboperacao;
    QLineEdit* edrotina;
    QLineEdit* edhistorico;
    QLineEdit* edvalor;
    QLineEdit* edobs;
    QPushButton* btfiltrar;
    QPushButton* BitBtn1;
    QTableView* DBGrid1;
    QStandardItemModel* m_model;
    QStatusBar* m_status;
    arvo::DateField* m_start;
    arvo::DateField* m_end;
};

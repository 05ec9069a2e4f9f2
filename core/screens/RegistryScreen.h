#pragma once

// A registry screen is a declaration: its table, fields, grid columns and search options.
// RegistryScreen supplies the rest: the "Consulta" and "Cadastro" tabs, the browse / new /
// change states, Novo, Gravar, Alterar, Excluir, Relatório, the navigation buttons, the exit
// button's caption, the picker mode and the messages.

#include "core/screens/ScreenKit.h"
#include "core/Registry.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QWidget;

namespace arvo {

struct RegistryField
{
    enum Kind { Text, Money, Date, Integer };
    QString column;
    QString objectName; ///< e.g. "ednome"
    QString label;
    Kind kind = Text;
    int maxLength = 0;
    bool upper = true;
    QString requiredMessage; ///< shown when Gravar finds it empty; empty when optional
};

struct GridColumn
{
    QString heading;
    QString column;
};

struct RegistryDecl
{
    RegistryTable table;
    QString caption;
    QString selectMessage;                          ///< "Selecione um Cliente"
    QString deleteCaption = QStringLiteral("Atenção");
    QList<RegistryField> fields;
    QList<GridColumn> grid;
    QList<SearchOption> searchOptions{SearchOption::Codigo, SearchOption::Nome,
                                      SearchOption::Geral};
    /// References that forbid a deletion: the refusal message, or nothing when free.
    InUseCheck inUse;
};

class RegistryScreen : public QDialog
{
    Q_OBJECT
public:
    enum class State { Browse, New, Change };

    RegistryScreen(Db& db, QString currentUser, RegistryDecl decl, QWidget* parent = nullptr);

    State state() const { return m_state; }
    /// 1 after Novo, 0 after Alterar.
    int mode() const { return m_mode; }
    /// The key of the record shown on the data tab.
    std::optional<qint64> currentKey() const;

    /// Picker mode: Enter on a grid row chooses it and closes the screen.
    void setPicker(bool picker) { m_picker = picker; }
    std::optional<qint64> chosenKey() const { return m_chosen; }
    /// Opens the registry modally as a picker; the chosen key, or nothing.
    static std::optional<qint64> pick(Db& db, const QString& user, const RegistryDecl& decl,
                                      QWidget* parent);

    QLineEdit* field(const QString& column) const;

public Q_SLOTS:
    void btnovoClick();
    void btalterarClick();
    void btgravarClick();
    void btexcluirClick();
    void btrelatorioClick();
    void btsairClick();
    void btprimeiroClick();
    void btanteriorClick();
    void btproximoClick();
    void btultimoClick();
    void edpesquisaExit();
    void rbgeralClick();
    void DBGrid1DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSearchTab();
    void buildDataTab();
    void setState(State state);
    void runSearch(SearchOption option, const QString& text);
    void fillGrid();
    void showRow(int index);
    void clearFields();
    void reportError(const Error& error);
    /// Re-runs the last search and shows the row with `key`.
    void refreshAndShow(qint64 key);

    Db& m_db;
    QString m_user;
    RegistryDecl m_decl;
    State m_state = State::Browse;
    int m_mode = 0;
    bool m_picker = false;
    std::optional<qint64> m_chosen;

    Rows m_rows;
    int m_current = -1;
    std::optional<Row> m_shown;
    SearchOption m_lastOption = SearchOption::Geral;
    QString m_lastText;

    QTabWidget* m_tabs = nullptr;
    QWidget* m_searchTab = nullptr;
    QWidget* m_dataTab = nullptr;
    QWidget* m_panel = nullptr;
    QLineEdit* m_search = nullptr;
    QList<QPair<SearchOption, QRadioButton*>> m_options;
    QTableView* m_grid = nullptr;
    QStandardItemModel* m_model = nullptr;
    QList<QLineEdit*> m_fields;
    QPushButton* m_novo = nullptr;
    QPushButton* m_gravar = nullptr;
    QPushButton* m_alterar = nullptr;
    QPushButton* m_excluir = nullptr;
    QPushButton* m_relatorio = nullptr;
    QList<QPushButton*> m_navigation;
    QPushButton* m_sair = nullptr;
};

} // namespace arvo

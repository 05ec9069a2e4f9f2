#include "core/screens/RegistryScreen.h"

#include "core/InputHelpers.h"
#include "core/screens/MessageService.h"
#include "core/screens/ScreenKit.h"
#include "platform/report/Report.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace arvo {

namespace {

QString optionCaption(SearchOption o)
{
    switch (o) {
    case SearchOption::Codigo: return QStringLiteral("Código");
    case SearchOption::Nome: return QStringLiteral("Nome");
    case SearchOption::Fantasia: return QStringLiteral("Fantasia");
    case SearchOption::CnpjCpf: return QStringLiteral("CNPJ/CPF");
    case SearchOption::Geral: return QStringLiteral("Geral");
    }
    return {};
}

QString optionObjectName(SearchOption o)
{
    switch (o) {
    case SearchOption::Codigo: return QStringLiteral("rbcodigo");
    case SearchOption::Nome: return QStringLiteral("rbnome");
    case SearchOption::Fantasia: return QStringLiteral("rbfantasia");
    case SearchOption::CnpjCpf: return QStringLiteral("rbcpf");
    case SearchOption::Geral: return QStringLiteral("rbgeral");
    }
    return {};
}

QString shownValue(const QVariant& v, RegistryField::Kind kind)
{
    if (v.isNull())
        return {};
    switch (kind) {
    case RegistryField::Money: return moneyForDisplay(v.toDouble());
    case RegistryField::Date: return report::formatValue(v, report::Mask::Date);
    default: return v.toString();
    }
}

void keepUpperCase(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(pos);
        }
    });
}

} // namespace

RegistryScreen::RegistryScreen(Db& db, QString currentUser, RegistryDecl decl, QWidget* parent)
    : QDialog(parent), m_db(db), m_user(std::move(currentUser)), m_decl(std::move(decl))
{
    setWindowTitle(m_decl.caption);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    buildSearchTab();
    buildDataTab();
    m_sair = new QPushButton(QStringLiteral("Sair"), this);
    m_sair->setObjectName(QStringLiteral("btsair"));
    m_sair->setAutoDefault(false);
    connect(m_sair, &QPushButton::clicked, this, &RegistryScreen::btsairClick);
    layout->addWidget(m_sair, 0, Qt::AlignRight);

    FieldConventions::install(this);
    runSearch(SearchOption::Geral, {});
    showRow(m_rows.isEmpty() ? -1 : 0);
    setState(State::Browse);
}

void RegistryScreen::buildSearchTab()
{
    m_searchTab = new QWidget;
    auto* v = new QVBoxLayout(m_searchTab);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Pesquisar")));
    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("edpesquisa"));
    keepUpperCase(m_search);
    connect(m_search, &QLineEdit::editingFinished, this, &RegistryScreen::edpesquisaExit);
    top->addWidget(m_search);
    auto* group = new QGroupBox(QStringLiteral("Opção"));
    auto* g = new QHBoxLayout(group);
    for (SearchOption o : m_decl.searchOptions) {
        auto* rb = new QRadioButton(optionCaption(o));
        rb->setObjectName(optionObjectName(o));
        g->addWidget(rb);
        m_options.append({o, rb});
        if (o == SearchOption::Geral)
            connect(rb, &QRadioButton::clicked, this, &RegistryScreen::rbgeralClick);
    }
    for (auto& [o, rb] : m_options)
        if (o == SearchOption::Nome)
            rb->setChecked(true);
    top->addWidget(group);
    v->addLayout(top);

    m_grid = new QTableView;
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_model = new QStandardItemModel(this);
    m_grid->setModel(m_model);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::doubleClicked, this, &RegistryScreen::DBGrid1DblClick);
    v->addWidget(m_grid);
    m_tabs->addTab(m_searchTab, QStringLiteral("Consulta"));
}

void RegistryScreen::buildDataTab()
{
    m_dataTab = new QWidget;
    auto* v = new QVBoxLayout(m_dataTab);
    m_panel = new QWidget;
    m_panel->setObjectName(QStringLiteral("pndados"));
    auto* form = new QFormLayout(m_panel);
    for (const RegistryField& f : m_decl.fields) {
        auto* edit = new QLineEdit;
        edit->setObjectName(f.objectName);
        if (f.maxLength > 0)
            edit->setMaxLength(f.maxLength);
        switch (f.kind) {
        case RegistryField::Money: makeMoneyField(edit); break;
        case RegistryField::Integer: makeNumeric(edit); break;
        case RegistryField::Date: new DateField(edit, false); break;
        case RegistryField::Text:
            if (f.upper)
                keepUpperCase(edit);
            break;
        }
        form->addRow(f.label, edit);
        m_fields.append(edit);
    }
    v->addWidget(m_panel);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    m_novo = button(QStringLiteral("btnovo"), QStringLiteral("Novo"), &RegistryScreen::btnovoClick);
    m_gravar = button(QStringLiteral("btgravar"), QStringLiteral("Gravar"),
                      &RegistryScreen::btgravarClick);
    m_alterar = button(QStringLiteral("btalterar"), QStringLiteral("Alterar"),
                       &RegistryScreen::btalterarClick);
    m_excluir = button(QStringLiteral("btexcluir"), QStringLiteral("Excluir"),
                       &RegistryScreen::btexcluirClick);
    m_relatorio = button(QStringLiteral("btrelatorio"), QStringLiteral("Relatório"),
                         &RegistryScreen::btrelatorioClick);
    const struct { const char* name; const char* text; const char* hint; void (RegistryScreen::*slot)(); } nav[] = {
        {"btprimeiro", "|<", "Primeiro Registro", &RegistryScreen::btprimeiroClick},
        {"btanterior", "<", "Registro Anterior", &RegistryScreen::btanteriorClick},
        {"btproximo", ">", "Próximo Registro", &RegistryScreen::btproximoClick},
        {"btultimo", ">|", "Último Registro", &RegistryScreen::btultimoClick},
    };
    for (const auto& n : nav) {
        QPushButton* b = button(QString::fromLatin1(n.name), QString::fromLatin1(n.text), n.slot);
        b->setToolTip(QString::fromUtf8(n.hint));
        m_navigation.append(b);
    }
    v->addLayout(buttons);
    m_tabs->addTab(m_dataTab, QStringLiteral("Cadastro"));
}

QLineEdit* RegistryScreen::field(const QString& column) const
{
    for (int i = 0; i < m_decl.fields.size(); ++i)
        if (m_decl.fields[i].column == column)
            return m_fields[i];
    return nullptr;
}

std::optional<qint64> RegistryScreen::currentKey() const
{
    if (!m_shown)
        return std::nullopt;
    return m_shown->value(QStringLiteral("codigo")).toLongLong();
}

void RegistryScreen::setState(State state)
{
    m_state = state;
    const bool browsing = state == State::Browse;
    m_panel->setEnabled(!browsing);
    for (QPushButton* b : {m_novo, m_alterar, m_excluir, m_relatorio})
        b->setEnabled(browsing);
    for (QPushButton* b : m_navigation)
        b->setEnabled(browsing);
    m_gravar->setEnabled(!browsing);
    m_sair->setText(browsing ? QStringLiteral("Sair") : QStringLiteral("Cancelar"));
}

void RegistryScreen::reportError(const Error& error)
{
    showError(error);
}

void RegistryScreen::runSearch(SearchOption option, const QString& text)
{
    m_lastOption = option;
    m_lastText = text;
    auto rows = searchRegistry(m_db, m_decl.table, option, text);
    if (!rows) {
        reportError(rows.error());
        m_rows = Rows{};
    } else {
        m_rows = std::move(rows.value());
    }
    fillGrid();
}

void RegistryScreen::fillGrid()
{
    m_model->clear();
    QStringList headings;
    for (const GridColumn& c : m_decl.grid)
        headings << c.heading;
    m_model->setHorizontalHeaderLabels(headings);
    for (const Row& r : m_rows) {
        QList<QStandardItem*> items;
        for (const GridColumn& c : m_decl.grid)
            items << new QStandardItem(r[c.column].toString());
        m_model->appendRow(items);
    }
}

void RegistryScreen::clearFields()
{
    for (QLineEdit* e : m_fields)
        e->clear();
}

void RegistryScreen::showRow(int index)
{
    if (index < 0 || index >= m_rows.size()) {
        m_current = -1;
        m_shown.reset();
        clearFields();
        return;
    }
    m_current = index;
    m_shown = m_rows[index];
    for (int i = 0; i < m_decl.fields.size(); ++i)
        m_fields[i]->setText(shownValue(m_shown->value(m_decl.fields[i].column), m_decl.fields[i].kind));
    m_grid->selectRow(index);
}

void RegistryScreen::refreshAndShow(qint64 key)
{
    runSearch(m_lastOption, m_lastText);
    int found = -1;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i][QStringLiteral("codigo")].toLongLong() == key)
            found = i;
    if (found < 0) {
        // The saved row falls outside the last search: show it alone.
        runSearch(SearchOption::Codigo, QString::number(key));
        found = m_rows.isEmpty() ? -1 : 0;
    }
    showRow(found);
}

void RegistryScreen::btnovoClick()
{
    m_mode = 1;
    clearFields();
    setState(State::New);
    m_tabs->setCurrentWidget(m_dataTab);
    if (!m_fields.isEmpty())
        m_fields.first()->setFocus();
}

void RegistryScreen::btalterarClick()
{
    if (!m_shown) {
        messages().show(m_decl.selectMessage, QStringLiteral("Atenção"), MsgIcon::Information,
                        MsgButtons::Ok);
        m_tabs->setCurrentWidget(m_searchTab);
        return;
    }
    m_mode = 0;
    setState(State::Change);
    m_tabs->setCurrentWidget(m_dataTab);
    if (!m_fields.isEmpty())
        m_fields.first()->setFocus();
}

void RegistryScreen::btgravarClick()
{
    if (m_state == State::Browse)
        return;
    QVariantMap values;
    for (int i = 0; i < m_decl.fields.size(); ++i) {
        const RegistryField& f = m_decl.fields[i];
        QLineEdit* edit = m_fields[i];
        const QString text = f.kind == RegistryField::Text && f.upper ? edit->text().toUpper()
                                                                      : edit->text();
        const bool empty = f.kind == RegistryField::Date ? isEmptyDateText(text)
                                                         : text.trimmed().isEmpty();
        if (empty && !f.requiredMessage.isEmpty()) {
            messages().show(f.requiredMessage, QStringLiteral("Erro de Preenchimento de Campo"),
                            MsgIcon::Error, MsgButtons::Ok);
            edit->setFocus();
            return;
        }
        QVariant value;
        switch (f.kind) {
        case RegistryField::Text:
            value = text;
            break;
        case RegistryField::Money: {
            if (empty) {
                value = 0.0;
                break;
            }
            const auto money = moneyFromText(text);
            if (!money) {
                messages().show(money.error().message, QStringLiteral("Atenção"), MsgIcon::Error,
                                MsgButtons::Ok);
                edit->setFocus();
                return;
            }
            value = money.value();
            break;
        }
        case RegistryField::Date: {
            if (empty) {
                value = QVariant(QMetaType(QMetaType::QDate));
                break;
            }
            const QDate d = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
            if (!d.isValid()) {
                messages().show(QStringLiteral("Data Inválida!"), QStringLiteral("Atenção"),
                                MsgIcon::Error, MsgButtons::Ok);
                edit->setFocus();
                return;
            }
            value = d;
            break;
        }
        case RegistryField::Integer:
            value = empty ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(text.toLongLong());
            break;
        }
        values[f.column] = value;
    }
    const std::optional<qint64> key = m_mode == 1 ? std::nullopt : currentKey();
    auto saved = saveRecord(m_db, m_decl.table, key, values, m_user);
    if (!saved) {
        // The screen stays in its state so nothing typed is lost.
        reportError(saved.error());
        return;
    }
    refreshAndShow(saved.value());
    setState(State::Browse);
}

void RegistryScreen::btexcluirClick()
{
    if (!m_shown) {
        messages().show(m_decl.selectMessage, QStringLiteral("Atenção"), MsgIcon::Information,
                        MsgButtons::Ok);
        m_tabs->setCurrentWidget(m_searchTab);
        return;
    }
    const qint64 key = *currentKey();
    if (deletionRefused(m_decl.inUse, m_db, key, QStringLiteral("Atenção")))
        return;
    if (messages().show(QStringLiteral("Deseja excluir o registro?"), m_decl.deleteCaption,
                        MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const Status deleted = deleteRecord(m_db, m_decl.table, key,
                                        m_shown->value(m_decl.table.nameColumn).toString(), m_user);
    if (!deleted)
        reportError(deleted.error());
    const int at = m_current;
    runSearch(m_lastOption, m_lastText);
    showRow(std::min(at, int(m_rows.size()) - 1));
}

void RegistryScreen::btrelatorioClick()
{
    report::ReportDef def;
    def.title = m_decl.caption;
    double x = 0;
    for (const GridColumn& c : m_decl.grid) {
        def.columns.append(report::Column{c.heading, c.column, x, 45, report::Mask::Text,
                                          report::Align::Left, {}});
        x += 47;
    }
    report::Report(def, m_rows).preview(this);
}

void RegistryScreen::btsairClick()
{
    if (m_state == State::Browse) {
        reject();
        return;
    }
    // Abandons the edit and shows the current record again.
    setState(State::Browse);
    showRow(m_current);
}

void RegistryScreen::btprimeiroClick() { showRow(m_rows.isEmpty() ? -1 : 0); }
void RegistryScreen::btanteriorClick() { showRow(std::max(0, m_current - 1)); }
void RegistryScreen::btproximoClick() { showRow(std::min(int(m_rows.size()) - 1, m_current + 1)); }
void RegistryScreen::btultimoClick() { showRow(int(m_rows.size()) - 1); }

void RegistryScreen::edpesquisaExit()
{
    if (m_search->text().isEmpty())
        return;
    SearchOption option = SearchOption::Nome;
    for (auto& [o, rb] : m_options)
        if (rb->isChecked())
            option = o;
    runSearch(option, m_search->text());
    showRow(m_rows.isEmpty() ? -1 : 0);
}

void RegistryScreen::rbgeralClick()
{
    runSearch(SearchOption::Geral, {});
    showRow(m_rows.isEmpty() ? -1 : 0);
}

void RegistryScreen::DBGrid1DblClick()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || m_state != State::Browse)
        return;
    if (m_picker) {
        m_chosen = m_rows[row][QStringLiteral("codigo")].toLongLong();
        accept();
        return;
    }
    showRow(row);
    m_tabs->setCurrentWidget(m_dataTab);
}

bool RegistryScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            DBGrid1DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<qint64> RegistryScreen::pick(Db& db, const QString& user, const RegistryDecl& decl,
                                           QWidget* parent)
{
    RegistryScreen screen(db, user, decl, parent);
    screen.setPicker(true);
    screen.m_tabs->setCurrentWidget(screen.m_searchTab);
    if (screen.exec() != QDialog::Accepted)
        return std::nullopt;
    return screen.chosenKey();
}

} // namespace arvo

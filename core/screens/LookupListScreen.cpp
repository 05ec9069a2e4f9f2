#include "core/screens/LookupListScreen.h"

#include "core/screens/MessageService.h"
#include "core/screens/ScreenKit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace arvo {

LookupListScreen::LookupListScreen(Db& db, QString currentUser, LookupDecl decl, QWidget* parent)
    : QDialog(parent), m_db(db), m_user(std::move(currentUser)), m_decl(std::move(decl))
{
    setWindowTitle(m_decl.caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Nome")));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("ednome"));
    connect(m_name, &QLineEdit::textEdited, m_name, [this](const QString& text) {
        const int pos = m_name->cursorPosition();
        m_name->setText(text.toUpper());
        m_name->setCursorPosition(pos);
    });
    connect(m_name, &QLineEdit::editingFinished, this, &LookupListScreen::ednomeExit);
    layout->addWidget(m_name);
    m_grid = new QTableView;
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setToolTip(QStringLiteral("Dê um duplo clique para Excluir o Registro"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_model = new QStandardItemModel(this);
    m_grid->setModel(m_model);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::doubleClicked, this, &LookupListScreen::DBGrid1DblClick);
    layout->addWidget(m_grid);
    FieldConventions::install(this);
    refresh();
}

void LookupListScreen::reportError(const Error& error)
{
    showError(error);
}

void LookupListScreen::refresh()
{
    auto rows = searchRegistry(m_db, m_decl.table, SearchOption::Geral, {});
    if (!rows) {
        reportError(rows.error());
        m_rows = Rows{};
    } else {
        m_rows = std::move(rows.value());
    }
    m_model->clear();
    m_model->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nome"),
                                        QStringLiteral("Ativo")});
    for (const Row& r : m_rows)
        m_model->appendRow({new QStandardItem(r["codigo"].toString()),
                            new QStandardItem(r[m_decl.table.nameColumn].toString()),
                            new QStandardItem(r["ativo"].toString())});
}

void LookupListScreen::ednomeExit()
{
    const QString name = m_name->text().trimmed().toUpper();
    if (name.isEmpty())
        return;
    auto exists = nameExists(m_db, m_decl.table, name);
    if (!exists) {
        reportError(exists.error());
        return;
    }
    if (!exists.value()) {
        auto saved = saveRecord(m_db, m_decl.table, std::nullopt,
                                {{m_decl.table.nameColumn, name}, {"ativo", "S"}}, m_user);
        if (!saved) {
            reportError(saved.error());
            return;
        }
    }
    m_name->clear();
    refresh();
}

void LookupListScreen::DBGrid1DblClick()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_rows.size())
        return;
    const qint64 key = m_rows[row]["codigo"].toLongLong();
    if (deletionRefused(m_decl.inUse, m_db, key, QStringLiteral("Velmor")))
        return;
    if (messages().show(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmor"),
                        MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const Status deleted = deleteRecord(m_db, m_decl.table, key,
                                        m_rows[row][m_decl.table.nameColumn].toString(), m_user);
    if (!deleted)
        reportError(deleted.error());
    refresh();
}

bool LookupListScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12) {
        const int row = m_grid->currentIndex().row();
        if (row >= 0 && row < m_rows.size()) {
            const Status toggled = toggleActive(m_db, m_decl.table, m_rows[row]["codigo"].toLongLong());
            if (!toggled)
                reportError(toggled.error());
            refresh();
            m_grid->selectRow(row);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace arvo

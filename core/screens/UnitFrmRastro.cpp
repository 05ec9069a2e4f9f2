#include "core/screens/UnitFrmRastro.h"

#include "core/InputHelpers.h"
#include "core/screens/MessageService.h"
#include "core/screens/RastroReport.h"
#include "core/screens/ScreenKit.h"
#include "platform/report/Report.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

using namespace arvo;

namespace {

QLineEdit* upperEdit(const QString& name, int maxLength)
{
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = e->cursorPosition();
            e->setText(upper);
            e->setCursorPosition(pos);
        }
    });
    return e;
}

} // namespace

TFrmRastro::TFrmRastro(Db& db, const QString& currentUser, QWidget* parent)
    : QDialog(parent), m_db(db), m_user(currentUser)
{
    setWindowTitle(QStringLiteral("Auditoria"));
    resize(980, 600);

    medatainicial = new QLineEdit;
    medatainicial->setObjectName(QStringLiteral("medatainicial"));
    medatafinal = new QLineEdit;
    medatafinal->setObjectName(QStringLiteral("medatafinal"));
    m_start = new DateField(medatainicial, true);
    m_end = new DateField(medatafinal, true, medatainicial);
    cboperador = new QComboBox;
    cboperador->setObjectName(QStringLiteral("cboperador"));
    cboperacao = new QComboBox;
    cboperacao->setObjectName(QStringLiteral("cboperacao"));
    cboperacao->addItem(QString());
    cboperacao->addItems(rastroOperations());
    edrotina = upperEdit(QStringLiteral("edrotina"), 15);
    edhistorico = upperEdit(QStringLiteral("edhistorico"), 70);
    edvalor = new QLineEdit;
    edvalor->setObjectName(QStringLiteral("edvalor"));
    makeNumeric(edvalor);
    connect(edvalor, &QLineEdit::editingFinished, this, &TFrmRastro::edvalorExit);
    edobs = upperEdit(QStringLiteral("edobs"), 70);

    btfiltrar = new QPushButton(QStringLiteral("&Filtrar"));
    btfiltrar->setObjectName(QStringLiteral("btfiltrar"));
    btfiltrar->setAutoDefault(false);
    connect(btfiltrar, &QPushButton::clicked, this, &TFrmRastro::btfiltrarClick);
    BitBtn1 = new QPushButton(QStringLiteral("&Relatório"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmRastro::BitBtn1Click);

    auto* fields = new QGridLayout;
    int col = 0;
    auto add = [&](const QString& label, QWidget* w, int row) {
        fields->addWidget(new QLabel(label), row, col);
        fields->addWidget(w, row, col + 1);
    };
    add(QStringLiteral("Período"), medatainicial, 0);
    fields->addWidget(new QLabel(QStringLiteral("à")), 0, 2);
    fields->addWidget(medatafinal, 0, 3);
    col = 0;
    add(QStringLiteral("Operador"), cboperador, 1);
    col = 2;
    add(QStringLiteral("Operação"), cboperacao, 1);
    col = 0;
    add(QStringLiteral("Rotina"), edrotina, 2);
    col = 2;
    add(QStringLiteral("Valor"), edvalor, 2);
    col = 0;
    add(QStringLiteral("Histórico"), edhistorico, 3);
    col = 2;
    add(QStringLiteral("Observação"), edobs, 3);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btfiltrar);
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);

    DBGrid1 = new QTableView;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_model = new QStandardItemModel(this);
    DBGrid1->setModel(m_model);
    m_status = new QStatusBar;
    m_status->showMessage(QStringLiteral("R - Relatório"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(m_status);

    setTabOrder(medatainicial, medatafinal);
    setTabOrder(medatafinal, cboperador);
    setTabOrder(cboperador, cboperacao);
    setTabOrder(cboperacao, edrotina);
    setTabOrder(edrotina, edhistorico);
    setTabOrder(edhistorico, edvalor);
    setTabOrder(edvalor, edobs);
    setTabOrder(edobs, btfiltrar);
    setTabOrder(btfiltrar, BitBtn1);

    fillOperators();
    fillGrid();
    FieldConventions::install(this);
}

TFrmRastro::~TFrmRastro() = default;

void TFrmRastro::fillOperators()
{
    cboperador->addItem(QString());
    auto users = m_db.select(QStringLiteral("select nome from usuarios order by nome"));
    if (!users) {
        messages().show(users.error().text(), QStringLiteral("Erro"), MsgIcon::Error,
                        MsgButtons::Ok);
        return;
    }
    for (const Row& r : users.value())
        cboperador->addItem(r["nome"].toString().toUpper());
}

RastroFilter TFrmRastro::filter() const
{
    return {medatainicial->text(), medatafinal->text(), cboperador->currentText(),
            cboperacao->currentText(),  edrotina->text(),    edhistorico->text(),
            edvalor->text(),            edobs->text()};
}

void TFrmRastro::edvalorExit()
{
    if (edvalor->text().trimmed().isEmpty())
        return;
    const auto value = moneyFromText(edvalor->text());
    if (!value) {
        messages().show(value.error().message, QStringLiteral("Atenção"), MsgIcon::Error,
                        MsgButtons::Ok);
        return;
    }
    edvalor->setText(moneyForDisplay(value.value()));
}

void TFrmRastro::btfiltrarClick()
{
    const RastroFilter f = filter();
    if (!rastroFilterReady(f))
        return;
    if (!m_start->check() || !m_end->check())
        return;
    auto rows = findRastro(m_db, f);
    if (!rows) {
        m_rows = Rows{};
        fillGrid();
        messages().show(rows.error().text(), QStringLiteral("Erro"), MsgIcon::Error,
                        MsgButtons::Ok);
        return;
    }
    m_rows = std::move(rows.value());
    fillGrid();
}

void TFrmRastro::fillGrid()
{
    struct Col { const char* heading; const char* field; report::Mask mask; };
    static const Col cols[] = {
        {"Data", "data", report::Mask::Date},         {"Hora", "hora", report::Mask::Text},
        {"Operador", "operador", report::Mask::Text}, {"Rotina", "rotina", report::Mask::Text},
        {"Op.", "operacao", report::Mask::Text},      {"Histórico", "historico", report::Mask::Text},
        {"Favorecido", "favorecido", report::Mask::Integer},
        {"Valor", "valor", report::Mask::Money},      {"Observação", "obs", report::Mask::Text},
    };
    m_model->clear();
    QStringList headings;
    for (const Col& c : cols)
        headings << QString::fromUtf8(c.heading);
    m_model->setHorizontalHeaderLabels(headings);
    for (const Row& r : m_rows) {
        QList<QStandardItem*> items;
        for (const Col& c : cols) {
            auto* item = new QStandardItem(
                report::formatValue(r[QString::fromLatin1(c.field)], c.mask));
            if (c.mask == report::Mask::Money || c.mask == report::Mask::Integer)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        m_model->appendRow(items);
    }
}

report::Report TFrmRastro::report() const
{
    return report::Report(rastroReport(medatainicial->text(), medatafinal->text()), m_rows);
}

void TFrmRastro::BitBtn1Click()
{
    report().preview(this);
}

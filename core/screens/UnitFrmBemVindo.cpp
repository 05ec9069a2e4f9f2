#include "core/screens/UnitFrmBemVindo.h"

#include "core/Login.h"
#include "core/screens/MessageService.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace {

/// Turns typed letters into upper case as they are typed.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

const QString kCaption = QStringLiteral("Atenção");

} // namespace

TFrmBemVindo::TFrmBemVindo(arvo::Db& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_db(db)
{
    setObjectName(QStringLiteral("FrmBemVindo"));
    setWindowTitle(QStringLiteral("Bem Vindo"));
    setModal(true);

    auto* validator = new UpperCaseValidator(this);
    const QString hint = QStringLiteral("Pressione ESC para sair");
    m_edusuario = new QLineEdit(this);
    m_edusuario->setObjectName(QStringLiteral("edusuario"));
    m_edusuario->setMaxLength(30);
    m_edsenha = new QLineEdit(this);
    m_edsenha->setObjectName(QStringLiteral("edsenha"));
    m_edsenha->setMaxLength(6);
    m_edsenha->setEchoMode(QLineEdit::Password);
    m_edsenha->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    for (QLineEdit* field : {m_edusuario, m_edsenha}) {
        field->setValidator(validator);
        field->setToolTip(hint);
        field->installEventFilter(this);
    }

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("USUÁRIO"), this), 0, 0);
    layout->addWidget(m_edusuario, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("SENHA"), this), 1, 0);
    layout->addWidget(m_edsenha, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(m_edusuario, m_edsenha);
    m_edusuario->setFocus();
}

bool TFrmBemVindo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edusuario && watched != m_edsenha)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            endProgram();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QLineEdit* next = watched == m_edusuario ? m_edsenha : m_edusuario;
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && !m_inExit && !m_mayClose) {
        // Only a move to another field is an exit, not a message box taking the focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::OtherFocusReason) {
            if (watched == m_edusuario)
                edusuarioExit();
            else
                edsenhaExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmBemVindo::edusuarioExit()
{
    const QString name = m_edusuario->text();
    if (name.isEmpty())
        return;
    m_inExit = true;
    auto user = arvo::findUser(m_db, name);
    if (!user) {
        showDatabaseError(user.error().text());
    } else if (!*user) {
        arvo::inform(QStringLiteral("Usuário não cadastrado"), kCaption, arvo::MsgIcon::Warning);
        m_edusuario->setFocus(Qt::OtherFocusReason);
    }
    m_inExit = false;
}

void TFrmBemVindo::edsenhaExit()
{
    m_inExit = true;
    auto check = arvo::checkLogin(m_db, m_edusuario->text(), m_edsenha->text());
    if (!check) {
        showDatabaseError(check.error().text());
        m_inExit = false;
        return;
    }
    switch (*check) {
    case arvo::LoginCheck::EndProgram:
        m_inExit = false;
        endProgram();
        return;
    case arvo::LoginCheck::PasswordRequired:
        arvo::inform(QStringLiteral("Senha Obrigatória"), kCaption, arvo::MsgIcon::Warning);
        m_edsenha->setFocus(Qt::OtherFocusReason);
        break;
    case arvo::LoginCheck::AccessDenied:
        arvo::inform(QStringLiteral("Acesso não permitido"), kCaption, arvo::MsgIcon::Warning);
        m_edsenha->clear();
        m_edusuario->setFocus(Qt::OtherFocusReason);
        break;
    case arvo::LoginCheck::Granted:
        m_userName = m_edusuario->text();
        m_companyCode = arvo::sessionCompanyCode();
        m_mayClose = true;
        m_inExit = false;
        QDialog::done(Accepted);
        return;
    }
    m_inExit = false;
}

void TFrmBemVindo::showDatabaseError(const QString& text)
{
    arvo::inform(text, QStringLiteral("Erro"), arvo::MsgIcon::Error);
}

void TFrmBemVindo::endProgram()
{
    m_mayClose = true;
    QDialog::done(Rejected);
}

void TFrmBemVindo::reject()
{
    // Only ESC in a field or both fields left empty end the dialog (and the program).
    if (m_mayClose)
        QDialog::reject();
}

void TFrmBemVindo::closeEvent(QCloseEvent* event)
{
    if (m_mayClose)
        event->accept();
    else
        event->ignore();
}

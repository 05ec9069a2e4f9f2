#pragma once

#include "platform/db/Db.h"

#include <QDialog>

class QLineEdit;

/// The login dialog. It either ends the program (ESC, both fields left empty) or logs a user
/// in; until then it refuses to close. Run it with exec(): Accepted means logged in, with
/// userName() and companyCode() set; Rejected means the program must end.
class TFrmBemVindo : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmBemVindo(arvo::Db& db, QWidget* parent = nullptr);

    QString userName() const { return m_userName; }
    QString companyCode() const { return m_companyCode; }
    QLineEdit* edusuario() const { return m_edusuario; }
    QLineEdit* edsenha() const { return m_edsenha; }

public Q_SLOTS:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void edusuarioExit();
    void edsenhaExit();
    void endProgram();
    void showDatabaseError(const QString& text);

    arvo::Db& m_db;
    QLineEdit* m_edusuario = nullptr;
    QLineEdit* m_edsenha = nullptr;
    QString m_userName;
    QString m_companyCode;
    bool m_mayClose = false;
    bool m_inExit = false; // focus moves made by the handlers themselves are not exits
};

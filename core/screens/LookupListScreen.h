#pragma once

// The look-up list screen (regions, products, professions ...): one name field; leaving it
// with a name not yet listed inserts it; F12 on a grid row toggles `ativo`; a double click
// deletes the row after the in-use check and the confirmation.

#include "core/screens/ScreenKit.h"
#include "core/Registry.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace arvo {

struct LookupDecl
{
    RegistryTable table;
    QString caption;
    /// References that forbid a deletion: the refusal message, or nothing when free.
    InUseCheck inUse;
};

class LookupListScreen : public QDialog
{
    Q_OBJECT
public:
    LookupListScreen(Db& db, QString currentUser, LookupDecl decl, QWidget* parent = nullptr);

    const Rows& rows() const { return m_rows; }

public Q_SLOTS:
    void ednomeExit();
    void DBGrid1DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void reportError(const Error& error);

    Db& m_db;
    QString m_user;
    LookupDecl m_decl;
    Rows m_rows;
    QLineEdit* m_name;
    QTableView* m_grid;
    QStandardItemModel* m_model;
};

} // namespace arvo

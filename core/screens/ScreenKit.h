#pragma once

// The screen kit lives in core/screens (library arvo_core_screens), next to the screens that use
// it: the keyboard, colour, mask and date-field habits every screen shares. Screens build their
// fields, then call FieldConventions::install() once. Registry screens are declared with
// RegistryScreen (RegistryScreen.h) and look-up lists with LookupListScreen; the SQL they run
// is built in core/Registry.h.

#include "platform/db/Db.h"

#include <QColor>
#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QAbstractButton;
class QDialog;
class QLineEdit;
class QWidget;

namespace arvo {

/// Background of the entry field that has the focus.
inline const QColor kFocusColour(0xFF, 0xFF, 0x80);

/// Field masks (Qt input-mask syntax; the blank is "_"). Stored values are digitsOnly().
namespace masks {
inline constexpr const char* kCnpj = "99.999.999/9999-99;_";
inline constexpr const char* kCpf = "999.999.999-99;_";
inline constexpr const char* kCep = "99.999.999;_";
inline constexpr const char* kPhone = "(99)09999-9999;_";
inline constexpr const char* kDate = "99/99/9999;_";
inline constexpr const char* kIssuingBody = ">AAA/AA;_";
} // namespace masks

/// Keyboard and focus habits of a form.
struct FieldOptions
{
    bool upArrowGoesBack = false;        ///< data fields of clients, companies, proposals
    bool escapeCloses = false;           ///< idem
    QAbstractButton* f12Button = nullptr; ///< F12 presses this button (Gravar)
};

/// Installs on every entry field below `form`: light-yellow background while focused, Enter
/// moves to the next field and is swallowed; Up/ESC/F12 when asked; Ctrl+Delete does nothing in
/// grids. Fields added later need another install().
class FieldConventions : public QObject
{
    Q_OBJECT
public:
    static FieldConventions* install(QDialog* form, FieldOptions options = {});

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldConventions(QDialog* form, FieldOptions options);
    void attach(QWidget* w);
    QDialog* m_form;
    FieldOptions m_options;
};

/// Moves the focus from `from` to the next (or previous) enabled field in tab order.
void focusNextField(QWidget* from, bool backwards = false);

/// Right-aligns a numeric field.
void makeNumeric(QLineEdit* field);

/// A money field: right-aligned; leaving it with text reformats it as "#,##0.00".
void makeMoneyField(QLineEdit* field, const QString& caption = QStringLiteral("Atenção"));

/// The date-field habit on a masked dd/mm/yyyy field: entering it empty fills today and
/// selects the text (when `fillToday`), leaving it with an impossible date shows
/// "Data Inválida!" and keeps the focus, and an end date earlier than `start` shows
/// "Data inferior à data inicial de pesquisa!!".
class DateField : public QObject
{
    Q_OBJECT
public:
    DateField(QLineEdit* field, bool fillToday, QLineEdit* start = nullptr,
              QString caption = QStringLiteral("Atenção"));

    /// The date typed, or nothing when the field is empty or the date impossible.
    std::optional<QDate> date() const;
    bool isEmpty() const;
    /// Checks the field as leaving it does; shows the message and refocuses when wrong.
    bool check();
    /// Today, as the fields fill it in; tests may fix it.
    static void setToday(std::optional<QDate> today);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QPointer<QLineEdit> m_start;
    bool m_fillToday;
    QString m_caption;
    bool m_checking = false;
};

/// F10 in `field` opens a picker; a chosen key is written into the field with the caret at its
/// start, and editingFinished is emitted so the caller looks the code up.
void installPickerKey(QLineEdit* field, std::function<std::optional<qint64>()> openPicker);

/// Today's date as the screens use it.
QDate screenToday();

/// Whether a record is still referred to: the refusal message, or nothing when it may go.
using InUseCheck = std::function<Result<std::optional<QString>>(Db&, qint64)>;
/// Runs a registry's in-use check before a deletion. True when the deletion must stop: the
/// record is in use (its message is shown with `caption`) or the check failed (shown as an
/// error). An empty check never refuses.
bool deletionRefused(const InUseCheck& inUse, Db& db, qint64 key, const QString& caption);

} // namespace arvo

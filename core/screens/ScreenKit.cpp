#include "core/screens/ScreenKit.h"

#include "core/InputHelpers.h"
#include "core/screens/MessageService.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace arvo {

namespace {

std::optional<QDate> g_today;

bool isEntryField(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

bool acceptsTabFocus(QWidget* w)
{
    return w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) &&
           !w->focusProxy();
}

// Refocuses after the current focus change has finished.
void refocus(QWidget* field)
{
    QPointer<QWidget> guard(field);
    QTimer::singleShot(0, field, [guard]() {
        if (guard)
            guard->setFocus(Qt::OtherFocusReason);
    });
}

} // namespace

QDate screenToday()
{
    return g_today ? *g_today : QDate::currentDate();
}

void focusNextField(QWidget* from, bool backwards)
{
    QWidget* w = from;
    for (int guard = 0; guard < 1000; ++guard) {
        w = backwards ? w->previousInFocusChain() : w->nextInFocusChain();
        if (!w || w == from)
            return;
        if (acceptsTabFocus(w) && w->window() == from->window()) {
            w->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    }
}

FieldConventions::FieldConventions(QDialog* form, FieldOptions options)
    : QObject(form), m_form(form), m_options(options)
{
}

FieldConventions* FieldConventions::install(QDialog* form, FieldOptions options)
{
    auto* conventions = form->findChild<FieldConventions*>(QString(), Qt::FindDirectChildrenOnly);
    if (!conventions)
        conventions = new FieldConventions(form, options);
    conventions->m_options = options;
    for (QWidget* w : form->findChildren<QWidget*>())
        conventions->attach(w);
    return conventions;
}

void FieldConventions::attach(QWidget* w)
{
    if (w->property("arvoConventions").toBool())
        return;
    if (!isEntryField(w) && !qobject_cast<QAbstractItemView*>(w))
        return;
    w->setProperty("arvoConventions", true);
    w->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        attach(combo->lineEdit());
}

bool FieldConventions::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    if (auto* grid = qobject_cast<QAbstractItemView*>(w)) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            // Grids never delete rows by themselves.
            if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier))
                return true;
        }
        (void)grid;
        return false;
    }
    // An editable combo's line edit is the one that gets the keys and the focus.
    QWidget* field = w;
    if (auto* parentCombo = qobject_cast<QComboBox*>(w->parentWidget()))
        field = parentCombo;

    switch (event->type()) {
    case QEvent::FocusIn:
        if (!field->property("arvoPalette").isValid()) {
            field->setProperty("arvoPalette", QVariant::fromValue(field->palette()));
            QPalette p = field->palette();
            p.setColor(QPalette::Base, kFocusColour);
            field->setPalette(p);
        }
        break;
    case QEvent::FocusOut:
        if (field->property("arvoPalette").isValid() && !field->hasFocus()) {
            field->setPalette(field->property("arvoPalette").value<QPalette>());
            field->setProperty("arvoPalette", QVariant());
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
            break;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
                break;
            focusNextField(field);
            return true;
        }
        if (key->key() == Qt::Key_Up && m_options.upArrowGoesBack &&
            !qobject_cast<QComboBox*>(field)) {
            focusNextField(field, true);
            return true;
        }
        if (key->key() == Qt::Key_Escape && m_options.escapeCloses) {
            m_form->reject();
            return true;
        }
        if (key->key() == Qt::Key_F12 && m_options.f12Button) {
            if (m_options.f12Button->isEnabled())
                m_options.f12Button->click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void makeNumeric(QLineEdit* field)
{
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void makeMoneyField(QLineEdit* field, const QString& caption)
{
    makeNumeric(field);
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, caption]() {
        if (field->text().trimmed().isEmpty())
            return;
        const auto value = moneyFromText(field->text());
        if (!value) {
            messages().show(value.error().message, caption, MsgIcon::Error, MsgButtons::Ok);
            refocus(field);
            return;
        }
        field->setText(moneyForDisplay(value.value()));
    });
}

void DateField::setToday(std::optional<QDate> today)
{
    g_today = today;
}

DateField::DateField(QLineEdit* field, bool fillToday, QLineEdit* start, QString caption)
    : QObject(field), m_field(field), m_start(start), m_fillToday(fillToday),
      m_caption(std::move(caption))
{
    field->setInputMask(QString::fromLatin1(masks::kDate));
    field->installEventFilter(this);
}

bool DateField::isEmpty() const
{
    return isEmptyDateText(m_field->text());
}

std::optional<QDate> DateField::date() const
{
    const QDate d = QDate::fromString(m_field->text(), QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

bool DateField::check()
{
    if (isEmpty())
        return true;
    const auto d = date();
    if (!d) {
        messages().show(QStringLiteral("Data Inválida!"), m_caption, MsgIcon::Error, MsgButtons::Ok);
        refocus(m_field);
        return false;
    }
    if (m_start) {
        const QDate start = QDate::fromString(m_start->text(), QStringLiteral("dd/MM/yyyy"));
        if (start.isValid() && *d < start) {
            messages().show(QStringLiteral("Data inferior à data inicial de pesquisa!!"), m_caption,
                            MsgIcon::Warning, MsgButtons::Ok);
            refocus(m_field);
            return false;
        }
    }
    return true;
}

bool DateField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field)
        return false;
    if (event->type() == QEvent::FocusIn && m_fillToday && isEmpty()) {
        m_field->setText(screenToday().toString(QStringLiteral("dd/MM/yyyy")));
        // Deferred: a mouse click places the caret after the focus-in.
        QTimer::singleShot(0, m_field, [f = m_field]() { f->selectAll(); });
        m_field->selectAll();
    } else if (event->type() == QEvent::FocusOut && !m_checking) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching windows or opening a menu is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_checking = true;
            check();
            m_checking = false;
        }
    }
    return false;
}

namespace {

class PickerKey : public QObject
{
public:
    PickerKey(QLineEdit* field, std::function<std::optional<qint64>()> open)
        : QObject(field), m_field(field), m_open(std::move(open))
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_field && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F10) {
            if (const auto key = m_open()) {
                m_field->setText(QString::number(*key));
                m_field->setCursorPosition(0);
                emit m_field->editingFinished();
            }
            return true;
        }
        return false;
    }

private:
    QLineEdit* m_field;
    std::function<std::optional<qint64>()> m_open;
};

} // namespace

void installPickerKey(QLineEdit* field, std::function<std::optional<qint64>()> openPicker)
{
    new PickerKey(field, std::move(openPicker));
}

bool deletionRefused(const InUseCheck& inUse, Db& db, qint64 key, const QString& caption)
{
    if (!inUse)
        return false;
    auto used = inUse(db, key);
    if (!used) {
        showError(used.error());
        return true;
    }
    if (used.value()) {
        messages().show(*used.value(), caption, MsgIcon::Warning, MsgButtons::Ok);
        return true;
    }
    return false;
}

} // namespace arvo

#include "ui/DbDateEdit.h"

#include "ui/ControlCommit.h"
#include "ui/DateText.h"

#include "data/dataset/TField.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>

namespace zel::ui {

namespace {

// A small down-pointing triangle in the text colour, as on a combo box.
QIcon dropDownIcon()
{
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QPalette().color(QPalette::Text));
    const QPointF points[] = {{2.5, 4.0}, {9.5, 4.0}, {6.0, 8.5}};
    painter.drawPolygon(points, 3);
    return QIcon(picture);
}

}  // namespace

DbDateEdit::DbDateEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setInputMask(QLatin1String(DateText::inputMask));
    m_link.load = [this] { loadField(); };
    m_link.write = [this] { writeField(); };
    connect(this, &QLineEdit::textEdited, this, &DbDateEdit::userEdited);
    QAction* drop = addAction(dropDownIcon(), QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, &DbDateEdit::showCalendar);
}

void DbDateEdit::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

QDate DbDateEdit::date() const
{
    return DateText::parse(displayText());
}

void DbDateEdit::loadField()
{
    const QSignalBlocker blocker(this);
    TField* field = m_link.field();
    if (!field || field->IsNull())
        setText(QString());
    else
        setText(DateText::format(field->AsDateTime().date()));
}

void DbDateEdit::writeField()
{
    const QString shown = displayText();
    if (DateText::hasNoDigits(shown))
        m_link.field()->Clear();
    else
        m_link.field()->SetAsString(shown.trimmed());
}

void DbDateEdit::userEdited(const QString& typed)
{
    if (m_link.isLoading())
        return;
    if (!m_link.isModified()) {
        const int cursor = cursorPosition();
        if (!m_link.beginChange()) {
            loadField();
            return;
        }
        if (text() != typed) {
            const QSignalBlocker blocker(this);
            setText(typed);
            setCursorPosition(cursor);
        }
    }
    m_link.markModified();
    emit changed();
}

void DbDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        return;
    }
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DbDateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_calendar && m_calendar->isVisible())
        return;
    ControlCommit::onFocusLeft(this, m_link);
}

void DbDateEdit::showCalendar()
{
    if (isReadOnly() || !isEnabled())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setGridVisible(true);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate picked) {
            m_calendar->hide();
            const QString typed = DateText::format(picked);
            setText(typed);
            userEdited(typed);
            setFocus(Qt::PopupFocusReason);
        });
    }
    const QDate shown = date();
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
}

}  // namespace zel::ui

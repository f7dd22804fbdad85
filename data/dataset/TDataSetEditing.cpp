// TDataSet: Edit/Insert/Append/Post/Cancel/Delete, writing rows through to the server
// and the OnEditError/OnPostError actions.
#include "data/dataset/TDataSet.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/RowWriter.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOTransaction.h"
#include "data/dataset/TField.h"

namespace zel {

bool TDataSet::CanModify() const
{
    return Active() && !m_readOnly && m_writer && m_writer->problem().isEmpty();
}

void TDataSet::checkCanModify() const
{
    if (m_readOnly)
        throw DataError(QStringLiteral("%1: набор данных доступен только для чтения.").arg(m_name));
}

void TDataSet::runWithErrorAction(const TDataSetErrorEvent& onError,
                                  const std::function<void()>& attempt,
                                  const std::function<bool()>& retryAllowed)
{
    for (;;) {
        try {
            attempt();
            return;
        } catch (const AbortSignal&) {
            throw;
        } catch (const Error& error) {
            TDataAction action = daFail;
            fire(onError, error, action);
            if (action == daAbort)
                throw AbortSignal();
            if (action == daFail || !retryAllowed())
                throw;
        }
    }
}

void TDataSet::beginEdit(int physical, bool inserting)
{
    if (inserting) {
        m_edit.beginInsert(physical);
    } else {
        std::vector<QVariant> values(m_fields.size());
        for (TField* field : m_fields)
            if (field->FieldKind() == fkData && field->column() >= 0)
                values[std::size_t(field->Index())] = field->fromCell(m_rows, physical, field->column());
        m_edit.begin(physical, std::move(values));
    }
    m_calcRow = -1;
}

void TDataSet::endEdit()
{
    m_edit.clear();
    m_calcRow = -1;
}

void TDataSet::CheckBrowseMode()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    notifyUpdateData();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (m_edit.modified())
        Post();
    else
        Cancel();
}

void TDataSet::Edit()
{
    checkActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    fire(BeforeEdit);
    runWithErrorAction(
        OnEditError, [this] { checkCanModify(); }, [this] { return m_state == dsBrowse; });
    beginEdit(m_view[std::size_t(m_position)], false);
    setState(dsEdit);
    fire(AfterEdit);
}

void TDataSet::Insert()
{
    startInsert(false);
}

void TDataSet::Append()
{
    startInsert(true);
}

void TDataSet::startInsert(bool atEnd)
{
    checkActive();
    checkCanModify();
    CheckBrowseMode();
    fire(BeforeInsert);
    fire(BeforeScroll);
    const int physical = m_rows.insertRow(m_rows.rowCount());
    m_deleted.push_back(false);
    if (atEnd) {
        m_view.push_back(physical);
        m_position = int(m_view.size()) - 1;
        m_bof = false;
        m_eof = true;
    } else {
        const int position = m_position < 0 ? 0 : m_position;
        m_view.insert(m_view.begin() + position, physical);
        m_position = position;
        m_bof = m_eof = false;
    }
    invalidateIndexes();
    beginEdit(physical, true);
    setState(dsInsert);
    notify(Notify::DataSet);
    fire(AfterInsert);
    afterScroll();
}

void TDataSet::checkRequiredFields() const
{
    for (const TField* field : m_fields)
        if (field->Required() && field->FieldKind() == fkData && field->DataType() != ftAutoInc
            && m_edit.value(std::size_t(field->Index())).isNull())
            throw DataError(QStringLiteral("Поле '%1' должно иметь значение.").arg(field->FieldName()));
}

void TDataSet::writeRow()
{
    checkRequiredFields();
    if (!m_writer->problem().isEmpty())
        throw DataError(QStringLiteral("%1: строку нельзя записать: %2.").arg(m_name, m_writer->problem()));
    db::Driver& db = driver();
    if (m_state == dsInsert) {
        const QVariant identity = m_writer->insert(db, m_edit.values(), m_edit.assignedFields());
        m_writer->noteInserted(m_edit.row());
        if (!identity.isNull()) {
            if (TField* field = m_writer->identityField()) {
                QString error;
                m_edit.receive(std::size_t(field->Index()), field->convert(identity, &error));
            } else if (m_writer->identityColumn() >= 0) {
                m_rows.setCell(m_edit.row(), m_writer->identityColumn(), identity);
            }
        }
    } else {
        m_writer->update(db, m_edit.row(), m_edit.values(), m_edit.oldValues());
    }
}

void TDataSet::writeRowConfirmed()
{
    if (!OnRowWritten) {
        writeRow();
        return;
    }
    const bool inserting = m_state == dsInsert;
    TField* identityField = inserting ? m_writer->identityField() : nullptr;
    const int identityColumn = inserting && !identityField ? m_writer->identityColumn() : -1;
    const QVariant identityBefore = identityField ? m_edit.value(std::size_t(identityField->Index()))
        : identityColumn >= 0 ? m_rows.value(m_edit.row(), identityColumn) : QVariant();
    try {
        TADOTransaction transaction(connectionForWrite());
        writeRow();
        fire(OnRowWritten);
        transaction.commit();
    } catch (...) {
        // The row is not on the server: it must not keep the key the undone insert got.
        if (inserting) {
            m_writer->forgetInserted(m_edit.row());
            if (identityField)
                m_edit.receive(std::size_t(identityField->Index()), identityBefore);
            else if (identityColumn >= 0)
                m_rows.setCell(m_edit.row(), identityColumn, identityBefore);
        }
        throw;
    }
}

void TDataSet::removeRowConfirmed(int physical)
{
    if (!OnRowWritten) {
        m_writer->remove(driver(), physical);
        return;
    }
    TADOTransaction transaction(connectionForWrite());
    m_writer->remove(driver(), physical);
    fire(OnRowWritten);
    transaction.commit();
}

TADOConnection& TDataSet::connectionForWrite() const
{
    driver();  // connects, or names the missing connection
    return *m_connection;
}

void TDataSet::storeBuffer()
{
    const bool inserting = m_state == dsInsert;
    for (TField* field : m_fields) {
        const auto i = std::size_t(field->Index());
        if (field->FieldKind() != fkData || field->column() < 0)
            continue;
        if (inserting ? !m_edit.value(i).isNull() : m_edit.changed(i))
            m_rows.setCell(m_edit.row(), field->column(), m_edit.value(i));
    }
}

void TDataSet::Post()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    notifyUpdateData();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    fire(BeforePost);
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    runWithErrorAction(
        OnPostError, [this] { writeRowConfirmed(); },
        [this] { return m_state == dsEdit || m_state == dsInsert; });
    storeBuffer();
    endEdit();
    setState(dsBrowse);
    rowsChanged();
    notify(Notify::DataSet);
    fire(AfterPost);
}

void TDataSet::Cancel()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    fire(BeforeCancel);
    const bool wasInsert = m_state == dsInsert;
    if (wasInsert) {
        m_deleted[std::size_t(m_edit.row())] = true;
        m_view.erase(m_view.begin() + m_position);
        if (m_position >= int(m_view.size()))
            m_position = int(m_view.size()) - 1;
        m_bof = m_position <= 0;
        m_eof = m_view.empty();
        invalidateIndexes();
    }
    endEdit();
    setState(dsBrowse);
    notify(Notify::DataSet);
    fire(AfterCancel);
    if (wasInsert)
        afterScroll();
}

void TDataSet::Delete()
{
    checkActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        throw DataError(QStringLiteral("%1: нельзя удалить запись: набор данных пуст.").arg(m_name));
    checkCanModify();
    fire(BeforeDelete);
    const int physical = m_view[std::size_t(m_position)];
    if (!m_writer->problem().isEmpty())
        throw DataError(QStringLiteral("%1: строку нельзя удалить: %2.").arg(m_name, m_writer->problem()));
    removeRowConfirmed(physical);
    endEdit();
    m_deleted[std::size_t(physical)] = true;
    m_view.erase(m_view.begin() + m_position);
    if (m_position >= int(m_view.size()))
        m_position = int(m_view.size()) - 1;
    m_bof = m_position <= 0;
    m_eof = m_view.empty();
    setState(dsBrowse);
    rowsChanged();
    notify(Notify::DataSet);
    fire(AfterDelete);
    afterScroll();
}

}  // namespace zel

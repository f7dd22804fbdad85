#include "directory/SearchResultRows.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"

#include <QHash>
#include <QSet>

namespace zel {

QString SearchResultRows::DetailsStatement(const QList<qint64>& keys)
{
    QStringList numbers;
    numbers.reserve(keys.size());
    for (qint64 key : keys)
        numbers << QString::number(key);
    return QStringLiteral(
               "SELECT t.id_teacher, i.D_b, n.Nationality, c.Citizenship, i.Phone, i.phone_mobile, i.Phon_w, "
               "p.S_p, p.N_p, i.eMail "
               "FROM TEACHER t "
               "LEFT JOIN TEACHER_info i ON i.id_teacher = t.id_teacher "
               "LEFT JOIN nationality n ON n.IDNationality = i.id_nationality "
               "LEFT JOIN Citizenship c ON c.IDCitizenship = i.id_citizenship "
               "LEFT JOIN Passport p ON p.id_teacher = t.id_teacher "
               "WHERE t.id_teacher IN (%1)")
        .arg(numbers.join(QLatin1Char(',')));
}

std::optional<std::vector<ExportRow>> SearchResultRows::Collect(TDM_PUM& dm,
                                                                const std::function<bool(int, int)>& progress)
{
    const TADOQuery& master = dm.ADO_TEACHER;
    std::vector<ExportRow> rows;
    if (!master.Active() || master.IsEmpty())
        return rows;
    const int total = master.RecordCount();
    const TField* name = master.FieldByName(QStringLiteral("t_fio"));
    const TField* key = master.FieldByName(QStringLiteral("id_teacher"));
    const TField* status = master.FieldByName(QStringLiteral("status"));
    rows.resize(std::size_t(total));
    QHash<qint64, int> position;
    position.reserve(total);
    for (int recNo = 1; recNo <= total; ++recNo) {
        ExportRow& row = rows[std::size_t(recNo - 1)];
        row.fullName = name->AsStringAt(recNo).trimmed();
        row.key = key->ValueAt(recNo).toLongLong();
        row.working = status->ValueAt(recNo).toBool();
        position.insert(row.key, recNo - 1);
    }

    TADOQuery details;
    details.SetConnection(&dm.ADO_PUM);
    for (int first = 0; first < total; first += kKeysPerStatement) {
        QList<qint64> keys;
        const int last = std::min(total, first + kKeysPerStatement);
        for (int i = first; i < last; ++i)
            keys << rows[std::size_t(i)].key;
        details.Close();
        details.SetSQL(DetailsStatement(keys));
        details.Open();
        const std::vector<TField*>& f = details.Fields();
        QSet<qint64> filled;
        for (int recNo = 1; recNo <= details.RecordCount(); ++recNo) {
            const qint64 k = f[0]->ValueAt(recNo).toLongLong();
            // An employee with two info or passport rows: the first one counts, as on the card.
            if (filled.contains(k) || !position.contains(k))
                continue;
            filled.insert(k);
            ExportRow& row = rows[std::size_t(position.value(k))];
            const QVariant birth = f[1]->ValueAt(recNo);
            row.birthDate = birth.isNull() ? QDate() : birth.toDateTime().date();
            row.nationality = f[2]->AsStringAt(recNo);
            row.citizenship = f[3]->AsStringAt(recNo);
            row.phoneHome = f[4]->AsStringAt(recNo);
            row.phoneMobile = f[5]->AsStringAt(recNo);
            row.phoneWork = f[6]->AsStringAt(recNo);
            row.passportSeries = f[7]->AsStringAt(recNo);
            row.passportNumber = f[8]->AsStringAt(recNo);
            row.email = f[9]->AsStringAt(recNo);
        }
        if (progress && !progress(last, total))
            return std::nullopt;
    }
    details.Close();
    return rows;
}

}  // namespace zel

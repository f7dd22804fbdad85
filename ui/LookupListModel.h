#pragma once

#include "data/dataset/TDataLink.h"

#include <QAbstractListModel>
#include <QVariant>

#include <memory>

namespace zel {
class TField;
}

namespace zel::ui {

/// The rows of a lookup list: one entry per row of the list source's dataset,
/// in the dataset's order, showing the list field and carrying the key field.
/// Reads the dataset's snapshot on demand and refills whenever the dataset
/// opens, closes, changes its rows or posts (a dictionary row added elsewhere
/// appears at once). Neither the data source nor its dataset is owned.
class LookupListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1 };

    explicit LookupListModel(QObject* parent = nullptr);
    ~LookupListModel() override;

    void setList(TDataSource* listSource, const QString& keyField, const QString& listField);
    /// As setList over a data source of its own on dataSet (a lookup field's dictionary).
    void setListDataSet(TDataSet* dataSet, const QString& keyField, const QString& listField);
    TDataSource* listSource() const;
    TDataSet* listDataSet() const;
    const QString& keyFieldName() const { return m_keyName; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    /// The key of an entry; NULL outside the list.
    QVariant keyAt(int row) const;
    /// The first entry with that key; -1 for NULL or a key with no row.
    int rowOfKey(const QVariant& key) const;
    /// The entry of the list dataset's current row; -1 when none.
    int currentListRow() const;

    /// Whether two key values are the same key (1 and 1LL and "1" are).
    static bool sameKey(const QVariant& a, const QVariant& b);

signals:
    /// The entries were refilled.
    void listChanged();
    /// The list dataset's current row moved.
    void listScrolled();

private:
    class Link;
    void refill();
    void resolveFields();

    std::unique_ptr<Link> m_link;
    std::unique_ptr<TDataSource> m_ownSource;
    QString m_keyName;
    QString m_listName;
    TField* m_keyField = nullptr;
    TField* m_listField = nullptr;
    int m_rows = 0;
};

}  // namespace zel::ui

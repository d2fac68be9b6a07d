#pragma once

#include "store/SendListTable.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

// A recipient table as the recipient viewer lists it: "E-mail", "Full Name",
// "Message Sent" and "Outcome", in address order. A table may hold a million
// rows, so rows are read a page at a time as the view asks for them and only a
// few pages are kept.
class SendListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Email, FullName, MessageSent, Outcome, ColumnCount };

    explicit SendListModel(const SendListTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static constexpr int kPageSize = 256;

private:
    const SendListRow* row(int r) const;
    const QList<SendListRow>& page(int p) const;
    QList<SendListRow> readPage(int p) const;

    const SendListTable& table_;
    int count_ = 0;
    // The address after which each page starts, as far as the pages have been read:
    // a page is found from the one before it, through the address index.
    mutable QStringList pageStarts_{QString()};
    mutable QHash<int, QList<SendListRow>> pages_;
    mutable QList<int> recentPages_;  // least recently used first
};

#include "windows/GridModel.h"

#include "store/EngineError.h"
#include "store/StoreError.h"

#include "common/Names.h"

#include <QHeaderView>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

namespace vezal {

GridModel::GridModel(QVector<GridColumn> columns, QObject* parent)
    : QSqlQueryModel(parent), columns_(std::move(columns)) {}

void GridModel::queryChange() {
    reported_ = false;
    reportReadError();
    descriptionOfSection_.clear();
    const QSqlRecord rec = record();
    for (int section = 0; section < rec.count(); ++section) {
        int found = -1;
        for (int i = 0; i < columns_.size(); ++i)
            if (columns_[i].field.compare(rec.fieldName(section), Qt::CaseInsensitive) == 0)
                found = i;
        descriptionOfSection_.push_back(found);
    }
}

const GridColumn* GridModel::column(int section) const {
    if (section < 0 || section >= descriptionOfSection_.size() || descriptionOfSection_[section] < 0)
        return nullptr;
    return &columns_[descriptionOfSection_[section]];
}

int GridModel::fieldColumn(const QString& field) const {
    return record().indexOf(field);
}

QString GridModel::format(const QVariant& value, GridColumn::Format format) {
    if (value.isNull())
        return {};
    switch (format) {
    case GridColumn::Format::Text:
        return value.toString();
    case GridColumn::Format::Count:
        return turkishLocale().toString(value.toLongLong());
    case GridColumn::Format::Points:
        return turkishLocale().toString(value.toDouble(), 'f', 3); // #,##0.000
    case GridColumn::Format::Date: {
        const QDate day = QDate::fromString(value.toString(), Qt::ISODate);
        return day.isValid() ? showDate(day) : value.toString();
    }
    }
    return value.toString();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    const GridColumn* description = column(index.column());
    if (role == Qt::DisplayRole && description)
        return format(QSqlQueryModel::data(index, Qt::DisplayRole), description->format);
    if (role == Qt::TextAlignmentRole && description)
        return QVariant::fromValue(description->alignment);
    return QSqlQueryModel::data(index, role == Qt::DisplayRole ? Qt::EditRole : role);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (const GridColumn* description = column(section)) {
            if (role == Qt::DisplayRole)
                return description->title;
            if (role == Qt::TextAlignmentRole)
                return QVariant::fromValue(description->format == GridColumn::Format::Text
                                               ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                               : Qt::Alignment(Qt::AlignCenter));
        }
    }
    return QSqlQueryModel::headerData(section, orientation, role);
}

void GridModel::applyTo(QTableView* view) const {
    for (int section = 0; section < record().count(); ++section) {
        const GridColumn* description = column(section);
        view->setColumnHidden(section, description == nullptr);
        if (description)
            view->setColumnWidth(section, description->width);
    }
}

QVariant GridModel::rawValue(int row, const QString& field) const {
    const int column = fieldColumn(field);
    if (column < 0)
        return {};
    return data(index(row, column), Qt::EditRole);
}

void GridModel::fetchAll() {
    // A model that never had a query says it has more, and fetching gives nothing.
    for (int before = -1; rowCount() != before && canFetchMore();) {
        before = rowCount();
        fetchMore();
    }
    throwIfReadFailed();
}

void GridModel::fetchMore(const QModelIndex& parent) {
    QSqlQueryModel::fetchMore(parent);
    reportReadError();
}

QString GridModel::readError() const {
    // A model without a statement (cleared, or never given one) has read nothing and failed at nothing.
    if (query().lastQuery().isEmpty())
        return {};
    const QSqlError error = query().lastError();
    return error.isValid() ? engineError(QStringLiteral("Veritabanı okunamıyor"), error).message()
                           : QString();
}

void GridModel::reportReadError() {
    const QString message = readError();
    if (message.isEmpty() || reported_)
        return;
    reported_ = true;
    emit readFailed(message);
}

void GridModel::throwIfReadFailed() const {
    if (const QString message = readError(); !message.isEmpty())
        throw StoreError(message);
}

std::optional<int> GridModel::findRow(const QString& field, const QString& text) {
    if (fieldColumn(field) < 0)
        return std::nullopt;
    for (int row = 0;; ++row) {
        if (row >= rowCount()) {
            if (!canFetchMore())
                break;
            fetchMore();
            if (row >= rowCount())
                break;
        }
        if (rawValue(row, field).toString() == text)
            return row;
    }
    throwIfReadFailed();
    return std::nullopt;
}

} // namespace vezal

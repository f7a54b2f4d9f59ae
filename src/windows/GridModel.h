#pragma once

#include <QSqlQueryModel>
#include <QString>
#include <QVector>
#include <optional>

class QTableView;

namespace vezal {

// How one column of a read-only grid shows its field.
struct GridColumn {
    enum class Format { Text, Count, Points, Date };
    QString field; // the query's result column
    QString title;
    int width = 64;
    Format format = Format::Text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// A query model that shows its columns the program's way: titles, Turkish number and date formats, empty
// cells for nulls. Raw values stay in EditRole. Fields without a description (such as Sr) are hidden by
// applyTo(). Rows are fetched in chunks as the grid scrolls, never all at once.
class GridModel : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit GridModel(QVector<GridColumn> columns, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Widths and hidden columns on the grid; call after each new query.
    void applyTo(QTableView* view) const;
    // The description of a model column, or null when the column is not shown.
    const GridColumn* column(int section) const;
    // The model column of a field, or -1.
    int fieldColumn(const QString& field) const;

    // A row's raw value of a field; null when the field or the row is not there.
    QVariant rawValue(int row, const QString& field) const;
    // Reads every remaining chunk: lists and lookups over the whole result need them all. An engine error
    // on the way (a damaged page) throws StoreError rather than pass a part for the whole.
    void fetchAll();

    // Reading further as the grid scrolls; an engine error is reported through readFailed.
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;
    // The engine's error that stopped the reading, in the user's words; empty while there is none.
    QString readError() const;

signals:
    // The rows stopped at an engine error, not at their end: what the grid shows is not all there is.
    void readFailed(const QString& message);

public:
    // The first row whose field holds exactly this text (case counts), reading further chunks as needed;
    // throws StoreError as fetchAll does.
    std::optional<int> findRow(const QString& field, const QString& text);

    // Shows a value as the column's format does; empty for a null.
    static QString format(const QVariant& value, GridColumn::Format format);

protected:
    void queryChange() override;

private:
    void reportReadError();
    void throwIfReadFailed() const;

    bool reported_ = false; // the read error of this query was reported once
    QVector<GridColumn> columns_;
    QVector<int> descriptionOfSection_; // model column -> index in columns_, or -1
};

} // namespace vezal

#include "TempProgram.h"

#include <QFile>
#include <QSqlRecord>

namespace vezal::testing {

TempProgram::TempProgram() {
    EXPECT_TRUE(dir_.isValid());
    open();
}

TempProgram::~TempProgram() {
    close();
}

void TempProgram::close() {
    table_.reset();
    database_.reset();
}

void TempProgram::open() {
    database_ = std::make_unique<Database>(folder());
    table_ = std::make_unique<MatchTable>(*database_);
}

std::vector<StoredRow> TempProgram::rows() {
    std::vector<StoredRow> rows;
    QSqlQuery query = table().allRows(Traversal::ForwardOnly);
    while (table().nextRow(query)) {
        StoredRow row;
        row.sr = query.value(0).toLongLong();
        row.tur = query.value(1).toString();
        row.klas = query.value(2).toString();
        row.tarih = query.value(3).toString();
        row.etkm = query.value(4).toString();
        row.mtkm = query.value(5).toString();
        row.oyun = query.value(6);
        row.ea = query.value(7);
        row.ey = query.value(8);
        row.ma = query.value(9);
        row.my = query.value(10);
        row.etp = query.value(11);
        row.mtp = query.value(12);
        row.erakip = query.value(13);
        row.mrakip = query.value(14);
        rows.push_back(row);
    }
    return rows;
}

void TempProgram::seed(const QString& league, const QString& team, const QString& points) {
    const std::optional<Refusal> refusal = registerTeam(table(), league, team, points);
    EXPECT_FALSE(refusal.has_value()) << team.toStdString() << ": " << refusal->message.toStdString();
}

ResultOutcome TempProgram::enter(const QString& league, const QDate& day, const QString& home,
                                 const QString& away, const QString& homeScore, const QString& awayScore) {
    return enterResult(table(), ResultInput{league, day, day, home, away, homeScore, awayScore});
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::vector<QStringList> readAll(QSqlQuery& query) {
    std::vector<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.value(i).isNull() ? QStringLiteral("-") : query.value(i).toString());
        rows.push_back(row);
    }
    return rows;
}

} // namespace vezal::testing

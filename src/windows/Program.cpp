#include "windows/Program.h"

#include "store/DataFolder.h"
#include "store/Database.h"
#include "store/IntegrityCheck.h"
#include "store/LeagueListFile.h"
#include "store/ListedLeagues.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/Waiting.h"
#include "windows/Dialogs.h"
#include "windows/WaitNotice.h"

#include <stdexcept>

namespace vezal {

Program::Program(QString folder_, Dialogs& dialogs_, std::function<QDate()> today_)
    : folder(absoluteFolder(folder_)), dialogs(dialogs_), today(std::move(today_)),
      waitNotice_(std::make_unique<WaitNotice>(dialogs)),
      waitScope_(std::make_unique<WaitObserverScope>(*waitNotice_)),
      changes_(std::make_unique<DataChanges>()) {}

Program::~Program() {
    closeTable();
}

QStringList Program::openTable() {
    try {
        database_ = std::make_unique<Database>(folder);
        database_->setTransactionEndObserver([changes = changes_.get()] { changes->post(); });
        table_ = std::make_unique<MatchTable>(*database_);
        tableError_.clear();
        // The leagues of a damaged file are not to be trusted into the list either.
        if (checkBeforeUse(*database_, QString::fromUtf16(messages::kDamageSeeMenu)))
            return {};
        return relistLeaguesWithRows(*database_, leagueListPath()).notices();
    } catch (const StoreError& error) {
        closeTable();
        tableError_ = error.message();
        throw;
    }
}

MatchTable& Program::table() {
    if (!table_)
        throw StoreError(tableError_);
    return *table_;
}

Database& Program::database() {
    table(); // the same error when the table did not open
    return *database_;
}

void Program::closeTable() {
    // The table's prepared statements go before the connection they run on.
    table_.reset();
    database_.reset();
}

QString Program::leagueListPath() const {
    return vezal::leagueListPath(folder);
}

bool Program::refusesAdvice(QWidget* parent) {
    if (!database_ || !database_->damage())
        return false; // without the table, the window's own read says why
    dialogs.caution(parent, *database_->damage());
    return true;
}

bool Program::refusesChanges(QWidget* parent) {
    if (refusesAdvice(parent))
        return true;
    if (!database_ || !database_->readOnly())
        return false;
    dialogs.caution(parent, QString::fromUtf16(messages::kDataReadOnly).arg(*database_->readOnly()));
    return true;
}

void Program::keepCheckVerdict(const QStringList& problems) {
    if (!database_)
        return;
    database_->setDamage(problems.isEmpty()
                             ? std::nullopt
                             : std::optional<QString>(damageMessage(
                                   *database_, problems, QString::fromUtf16(messages::kDamageSeeMenu))));
}

void DataChanges::post() {
    if (posted_)
        return;
    posted_ = true;
    // Queued: the engine is still inside the statement that ended the transaction.
    QMetaObject::invokeMethod(
        this,
        [this] {
            posted_ = false;
            emit changed();
        },
        Qt::QueuedConnection);
}

Navigation& Program::navigation() const {
    if (!navigation_)
        throw std::logic_error("no window set is open");
    return *navigation_;
}

} // namespace vezal

#pragma once

#include "store/Database.h"
#include "store/MatchTable.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

class QTextStream;

namespace vezal {

// A command line that cannot be run as written. Raised before anything is read or written.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
    const QString& reason() const noexcept { return reason_; }

private:
    QString reason_;
};

struct OptionSpec {
    QString name; // with its dashes: "--from"
    bool takesValue = false;
};

// One command's arguments after its options were taken out.
struct CommandArgs {
    QStringList positional;
    QHash<QString, QString> options; // a flag maps to an empty text
};

// What a command does with the table.
enum class TableUse {
    AdvisesOrWrites, // run only on a database that SQLite's quick check finds sound
    Lists,           // shows what is there, damaged or not, so that it can still be seen and exported
};

// What a command works on. The database is opened only when a command asks for the table, so the
// league-list commands work without Fvt/Liste.DB.
class CommandContext {
public:
    CommandContext(QString folder, CommandArgs args, QTextStream& out, QTextStream& err,
                   TableUse use = TableUse::AdvisesOrWrites);
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    const QString& folder() const { return folder_; }
    const QStringList& positional() const { return args_.positional; }
    bool has(const QString& option) const { return args_.options.contains(option); }
    QString option(const QString& option) const { return args_.options.value(option); }

    // Opened on first use; for a command that advises or writes, refused (StoreError) when the quick check
    // finds the database damaged.
    MatchTable& table();
    Database& database();
    QString leagueListPath() const;

    // Prints a refusal and gives its exit code.
    int refuse(const QString& message);

    QTextStream& out;
    QTextStream& err;

private:
    QString folder_;
    CommandArgs args_;
    TableUse use_;
    std::optional<Database> database_;
    std::optional<MatchTable> table_;
};

// Which folders a command works on.
enum class FolderUse {
    DataFolder, // one that holds Vezal's data already: klasman.dat or the Fvt folder
    MakesOne,   // any: made when missing, what it holds already is kept
};

struct Command {
    QString name;
    QString arguments; // as the usage line shows them
    QString summary;   // one line of --help
    int minPositional = 0;
    int maxPositional = 0;
    std::vector<OptionSpec> options;
    std::function<int(CommandContext&)> run;
    FolderUse folderUse = FolderUse::DataFolder;
    TableUse tableUse = TableUse::AdvisesOrWrites;
};

// Helpers the command files share. A day typed as dd.mm.yyyy or yyyy-mm-dd; a league the windows would
// offer (an empty text for none); xi as a point or comma decimal, not negative. Throw UsageError.
QDate dayArgument(const QString& text, const QString& what);
QString chosenLeague(CommandContext& context, const QString& typed);
int refuseUnknownLeague(CommandContext& context, const QString& typed);
double xiArgument(const QString& text);
// A decimal with a point or a comma, 0 or above; the usage error names the option and an example.
double nonNegativeArgument(const QString& text, const char* option, const char* example);
// A decimal with a point; none unless finite.
std::optional<double> pointNumber(const QString& text);
// The betting family's commands, kept in files of their own.
Command bulletinCommand();
Command betCommand();
Command betsCommand();

// Every command, in the order --help lists them.
const std::vector<Command>& commands();
// Predicting, the import and the track record (PredictionCommands.cpp).
std::vector<Command> predictionCommands();
// The league sources and the update (UpdateCommands.cpp).
std::vector<Command> updateCommands();
const Command* findCommand(const QString& name);

// Splits what follows the command name into positional arguments and the command's options; "--" ends
// the options. Throws UsageError on an unknown option, a missing value or a wrong argument count.
CommandArgs parseCommandArgs(const Command& command, const QStringList& args);

} // namespace vezal

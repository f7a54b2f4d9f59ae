#include "cli/CheckCommand.h"

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "store/IntegrityCheck.h"
#include "store/Messages.h"

#include <QDir>
#include <QTextStream>

namespace vezal {

int checkDatabase(CommandContext& context) {
    const std::optional<QStringList> problems = checkIntegrity(context.database());
    if (!problems) // nothing cancels it here
        return kExitFailure;
    if (problems->isEmpty()) {
        context.out << QString::fromUtf16(messages::kDatabaseSound) << '\n';
        return kExitOk;
    }
    context.err << QString::fromUtf16(messages::kDatabaseDamaged)
                       .arg(QDir::toNativeSeparators(context.database().filePath()))
                       .arg(problems->size())
                << '\n';
    for (const QString& problem : *problems)
        context.err << problem << '\n';
    return kExitFailure;
}

} // namespace vezal

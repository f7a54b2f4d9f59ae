#pragma once

namespace vezal {

class CommandContext;

// check: SQLite's integrity check of the database; "sağlam" and 0, or the problems on stderr and 3.
int checkDatabase(CommandContext& context);

} // namespace vezal

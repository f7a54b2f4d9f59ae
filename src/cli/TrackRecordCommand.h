#pragma once

namespace vezal {

class CommandContext;

// track-record: walks a league's past as the program would have predicted it and prints its figures.
int showTrackRecord(CommandContext& context);

} // namespace vezal

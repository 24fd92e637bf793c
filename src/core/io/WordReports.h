#pragma once

#include "core/io/DocxWriter.h"

namespace cfx {

class Session;

struct ReportHeader;

// The stopwatch document of the session's readings: its title, the readings as a five-column
// table ("#", "Time", "%", "Time Gap", "Comment"), the note on the "S" prefix, the resolution,
// session and creation lines and the gap statistics, gaps computed at the resolution. The
// session is only read.
docx::Document stopwatchWordDocument(const Session& session, const ReportHeader& header,
                                     int eventsPerSec);

} // namespace cfx

#pragma once

#include "core/io/SessionFile.h"

#include <QDateTime>
#include <QString>

#include <array>

namespace cfx {

class Session;

// Between a session file and the readings the program holds.

// The stopped session as it stands: the resolution box's text, the accumulated time, the stamp,
// the large display's digits and every reading as the report shows it.
SessionData sessionFrom(const Session& readings, const QString& resolutionText, qint32 baseCs,
                        const QString& stamp, const std::array<int, 8>& ledValues);

// Puts the session file's readings into the (emptied) report as the file holds them: texts as
// stored, none excluded.
void loadReadings(Session& readings, const SessionData& session);

// For scripts: writes "CFXReport.txt" and "CFXRawCSV.txt" of a saved session into the folder,
// the same bytes the report's write button gives after opening that session (but for the
// creation time). On failure `error` says why and nothing is replaced.
bool writeSessionReport(const QString& sessionPath, const QString& folder, const QDateTime& created,
                        QString& error);

} // namespace cfx

#pragma once

#include "core/io/LineFile.h"
#include "core/io/SessionFile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace cfx {

// Which readings of a session file are excluded from the statistics. The session file has no
// line for it that other readers would pass over, so the marks are kept in a small file beside
// it, "NAME.CFX.excluded" (CR LF after every line):
//   1      "Chronofex excluded readings"
//   2      "sha256=" and the SHA-256 of the session file's bytes, in hex
//   3...   the numbers of the excluded readings (1 = the first), one a line
// The fingerprint ties the marks to the very file they were saved with: a session file written
// again by a program that knows nothing of them leaves marks behind that must not be applied.

inline const QString kExclusionsSuffix = QStringLiteral(".excluded");

QString exclusionsPath(const QString& sessionPath);

// Keeps the exclusions of the session file just written at sessionPath beside it; with none, a
// file left from an earlier save is removed. Fails with the reason (the session file stays as it
// was written).
FileResult writeExclusions(const QString& sessionPath, const QVector<int>& excluded);

struct ExclusionsRead {
    enum class State {
        None,       // no exclusions kept beside the file
        Read,       // `excluded` holds them
        Stale,      // kept for another version of the session file: not applied
        Unreadable, // there, but cannot be read or holds no valid marks: `error` says why
    };
    State state = State::None;
    QVector<int> excluded;
    QString error;
};

// The exclusions kept beside the session file at sessionPath, which holds readingCount readings.
ExclusionsRead readExclusions(const QString& sessionPath, int readingCount);

} // namespace cfx

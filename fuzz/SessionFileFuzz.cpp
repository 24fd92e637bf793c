// Session files come from anywhere a user can point the open dialog or a file manager. Whatever
// the bytes, reading the file must not crash or take memory out of proportion to its size (the
// fuzz runs set -malloc_limit_mb and -rss_limit_mb), and an accepted session must survive being
// saved and read again unchanged.
#include "FuzzCheck.h"

#include "core/io/LineFile.h"
#include "core/io/SessionFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace cfx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    // The file reader, as the open dialog and the command line use it.
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("fuzz.CFX"));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(bytes) == bytes.size());
    file.close();
    cfx::SessionData session;
    session.resolution = QStringLiteral("untouched");
    QString error;
    if (!cfx::readSession(path, session, error)) {
        // A refused file leaves the current session as it was and says why.
        check(session.resolution == QLatin1String("untouched"));
        check(!error.isEmpty());
        return 0;
    }
    check(error.isEmpty());
    check(session.baseCs >= 0 && session.baseCs <= cfx::kMaxSessionBaseCs);
    check(session.readings.size() <= cfx::kMaxSessionReadings);

    const QByteArray saved = cfx::crlfBytes(cfx::sessionLines(session));
    cfx::SessionData again;
    QString againError;
    check(cfx::parseSessionBytes(saved, again, againError));
    check(again == session);
    return 0;
}

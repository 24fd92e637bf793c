// Session files come from anywhere a user can point the open dialog or a file manager. Whatever
// the bytes, reading must not crash, and an accepted session must survive being saved and read
// again unchanged.
#include "core/io/LineFile.h"
#include "core/io/SessionFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace cfx;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    cfx::SessionData session;
    session.resolution = QStringLiteral("untouched");
    QString error;
    if (!cfx::parseSessionBytes(bytes, session, error)) {
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

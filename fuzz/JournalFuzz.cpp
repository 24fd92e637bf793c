// The journal is read at every start; whatever a crash, a full disk or another program left in
// it must never crash the program, and what it restores must journal back to the same session.
#include "FuzzCheck.h"

#include "core/Session.h"
#include "core/io/Journal.h"
#include "core/io/SessionLoad.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace cfx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    Session replayed;
    const JournalFacts facts = replayJournal(bytes, replayed);
    check(replayed.recordCount() <= Session::kMaxRecords);
    check(facts.baseCs >= 0 && facts.baseCs <= 36'000'000);

    // Journaled again in full and replayed, the session comes back the same.
    static QTemporaryDir dir;
    Session copy;
    Journal journal(QDir(dir.path()).filePath(kJournalFileName));
    check(journal.start(replayed));
    journal.recordAll(facts.resolution, facts.eventsPerSec, facts.baseCs, facts.ledValues);
    QFile file(journal.path());
    check(file.open(QIODevice::ReadOnly));
    replayJournal(file.readAll(), copy);
    const SessionData a = sessionFrom(replayed, {}, 0, replayed.sessionStamp(), {});
    const SessionData b = sessionFrom(copy, {}, 0, copy.sessionStamp(), {});
    check(a == b || replayed.recordCount() == 0);
    for (int n = 1; n <= replayed.recordCount(); ++n)
        check(replayed.isExcluded(n) == copy.isExcluded(n));
    return 0;
}

#include "core/io/Journal.h"

#include "core/NumberText.h"
#include "core/Session.h"
#include "core/io/SafeFile.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cfx {

namespace {

constexpr int kSyncIntervalMs = 1000;
// While the clock runs the journal's modification time is kept within this of the present, so
// a restore after a crash knows when the clock last ran.
constexpr int kTouchIntervalMs = 1000;
constexpr qint32 kMaxClockCs = 36'000'000;

QByteArray escaped(const QString& text) {
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescaped(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const char next = field[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return QString::fromUtf8(out);
}

QByteArray joined(std::initializer_list<QByteArray> fields) {
    QByteArray line;
    for (const QByteArray& f : fields) {
        if (!line.isEmpty())
            line += '\t';
        line += f;
    }
    return line;
}

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

// A whole decimal number within [low, high], or nothing.
std::optional<qint64> wholeNumber(const QByteArray& text, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

namespace {

// One replay: the session and the facts, with the re-rendering of the time texts put off to the
// end (a journal may hold many resolution changes after many readings; each would re-render
// every reading).
class Replay {
public:
    explicit Replay(Session& session) : m_session(session) {}

    void line(const QByteArray& text) {
        if (text.contains('\0')) {
            note(JournalDamage::NulBytes);
            return;
        }
        const QList<QByteArray> f = text.split('\t');
        if (m_first) {
            m_first = false;
            if (f[0] == "CFXJournal") {
                if (f.size() != 2 || f[1] != "2") {
                    m_unknownFormat = true;
                    note(JournalDamage::UnknownFormat);
                }
                return;
            }
        }
        if (m_unknownFormat)
            return;
        if (!apply(f))
            note(JournalDamage::BadLines);
    }

    void note(JournalDamage damage) {
        if (m_facts.damage == JournalDamage::None)
            m_facts.damage = damage;
    }

    JournalFacts finish() {
        if (m_renderUpTo > 0)
            m_session.rerenderTimeTexts(m_facts.eventsPerSec, m_renderUpTo);
        return m_facts;
    }

private:
    void appendReading(const QList<QByteArray>& f, int shareField, int stampField) {
        const int n = static_cast<int>(*wholeNumber(f[1], 1, m_session.recordCount() + 1));
        m_renderUpTo = std::min(m_renderUpTo, n - 1);
        m_session.restoreReading(n, unescaped(f[2]), unescaped(f[3]), unescaped(f[4]),
                                 unescaped(f[5]),
                                 shareField > 0 ? unescaped(f[shareField]) : QString());
        m_session.setSessionStamp(unescaped(f[stampField]));
        m_session.setStampPending(false);
        m_facts.handled = false;
    }

    bool apply(const QList<QByteArray>& f) {
        const QByteArray& kind = f[0];
        const auto reading = [&] {
            const auto n = wholeNumber(f[1], 1, m_session.recordCount() + 1);
            return n && *n <= Session::kMaxRecords;
        };
        if (kind == "A" && f.size() == 8) {
            if (!reading())
                return false;
            appendReading(f, 6, 7);
        } else if (kind == "S" && f.size() == 7) {
            if (!reading())
                return false;
            appendReading(f, 0, 6);
            m_session.refreshReadings();
        } else if (kind == "E" && f.size() == 4) {
            const auto n = wholeNumber(f[1], 1, m_session.recordCount());
            if (!n)
                return false;
            if (f[2] == "1")
                m_session.exclude(static_cast<int>(*n));
            else
                m_session.include(static_cast<int>(*n));
            m_session.addComment(static_cast<int>(*n), unescaped(f[3]));
            m_facts.handled = false;
        } else if (kind == "F" && f.size() == 1) {
            m_session.refreshReadings();
        } else if (kind == "R" && f.size() == 3) {
            const auto eps = wholeNumber(f[2], 0, 32767);
            if (!eps)
                return false;
            m_facts.resolution = unescaped(f[1]);
            m_facts.eventsPerSec = static_cast<int>(*eps);
            // Every reading there now is rendered at this resolution, once, at the end.
            m_renderUpTo = m_session.recordCount();
        } else if (kind == "K" && f.size() == 10) {
            const auto base = wholeNumber(f[1], 0, kMaxClockCs);
            if (!base)
                return false;
            std::array<int, 8> leds{};
            for (int i = 0; i < 8; ++i) {
                const auto digit = wholeNumber(f[2 + i], 0, 9);
                if (!digit)
                    return false;
                leds[i] = static_cast<int>(*digit);
            }
            m_facts.baseCs = static_cast<qint32>(*base);
            m_facts.ledValues = leds;
            m_facts.clockRunning = false;
        } else if (kind == "G" && f.size() == 3) {
            const auto base = wholeNumber(f[1], 0, kMaxClockCs);
            const auto at = wholeNumber(f[2], 0, std::numeric_limits<qint64>::max());
            if (!base || !at)
                return false;
            m_facts.clockRunning = true;
            m_facts.startBaseCs = static_cast<qint32>(*base);
            m_facts.startedAtMs = *at;
        } else if (kind == "Z" && f.size() == 1) {
            m_session.clearReport();
            m_renderUpTo = 0;
            m_facts.handled = true;
        } else if (kind == "V" && f.size() == 1) {
            m_facts.handled = true;
        } else {
            return false;
        }
        return true;
    }

    Session& m_session;
    JournalFacts m_facts;
    int m_renderUpTo = 0;
    bool m_first = true;
    bool m_unknownFormat = false;
};

} // namespace

JournalFacts replayJournal(QIODevice& device, Session& session) {
    Replay replay(session);
    constexpr qint64 kPiece = 256 * 1024;
    QByteArray line;
    bool skipping = false; // inside a line too long to keep
    qint64 total = 0;
    while (true) {
        const QByteArray piece = device.read(kPiece);
        if (piece.isEmpty())
            break;
        total += piece.size();
        if (total > kMaxJournalBytes) {
            replay.note(JournalDamage::TooLarge);
            break;
        }
        qsizetype from = 0;
        while (from < piece.size()) {
            const qsizetype end = piece.indexOf('\n', from);
            const qsizetype stop = end < 0 ? piece.size() : end;
            if (!skipping) {
                if (line.size() + (stop - from) > kMaxJournalLineBytes) {
                    skipping = true;
                    line.clear();
                    replay.note(JournalDamage::LongLine);
                } else {
                    line.append(piece.constData() + from, stop - from);
                }
            }
            if (end < 0)
                break;
            if (!skipping)
                replay.line(line);
            line.clear();
            skipping = false;
            from = end + 1;
        }
    }
    // What is left has no line feed: torn by a crash while it was written.
    return replay.finish();
}

JournalFacts replayJournal(const QByteArray& bytes, Session& session) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return replayJournal(buffer, session);
}

qint32 restoredClockCs(const JournalFacts& facts, const Session& readings) {
    if (!facts.clockRunning)
        return facts.baseCs; // as it stood still
    qint64 cs = facts.startBaseCs;
    if (facts.endedAtMs > facts.startedAtMs)
        cs += (facts.endedAtMs - facts.startedAtMs) / 10;
    for (const Reading& r : readings.readings())
        cs = std::max<qint64>(cs, r.timeCs);
    return static_cast<qint32>(std::clamp<qint64>(cs, 0, kMaxClockCs));
}

Journal::Journal(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_syncTimer(new QTimer(this)),
      m_retryTimer(new QTimer(this)), m_touchTimer(new QTimer(this)) {
    m_syncTimer->setSingleShot(true);
    m_syncTimer->setInterval(kSyncIntervalMs);
    connect(m_syncTimer, &QTimer::timeout, this, &Journal::sync);
    m_retryTimer->setInterval(kRetryIntervalMs);
    connect(m_retryTimer, &QTimer::timeout, this, &Journal::retry);
    m_touchTimer->setInterval(kTouchIntervalMs);
    connect(m_touchTimer, &QTimer::timeout, this, [this] {
        if (m_fd >= 0 && !m_failing)
            ::futimens(m_fd, nullptr);
    });
}

Journal::~Journal() {
    sync();
    closeHeld();
    if (m_fd >= 0)
        ::close(m_fd);
}

void Journal::setRetryInterval(int ms) {
    m_retryTimer->setInterval(ms);
}

void Journal::closeHeld() {
    if (m_heldFd >= 0)
        ::close(m_heldFd);
    m_heldFd = -1;
}

JournalFacts Journal::readPrevious(Session& into) {
    JournalFacts facts;
    closeHeld();
    QString why;
    const int fd = openPlainFile(m_path, O_RDONLY, why);
    if (fd < 0)
        return facts; // nothing there, or nothing that is a journal: start() replaces it
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        m_inUse = errno == EWOULDBLOCK;
        return facts;
    }
    m_heldFd = fd;
    struct stat info {};
    ::fstat(fd, &info);
    if (info.st_size > kMaxJournalBytes) {
        facts.damage = JournalDamage::TooLarge;
    } else {
        QFile file;
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            facts = replayJournal(file, into);
    }
    facts.endedAtMs = qint64{info.st_mtim.tv_sec} * 1000 + info.st_mtim.tv_nsec / 1'000'000;
    facts.endedAtMs = std::max(facts.endedAtMs, facts.startedAtMs);
    m_keepAside = facts.damage != JournalDamage::None;
    return facts;
}

bool Journal::replaceFile(const QByteArray& bytes) {
    // The new journal is complete and locked before it takes the name: a copy of the program
    // starting meanwhile finds either the old journal or the new one, and both are locked.
    QByteArray temp = QFile::encodeName(m_path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        m_error = systemReason(errno);
        return false;
    }
    auto fail = [&](int error) {
        m_error = systemReason(error);
        ::close(fd);
        ::unlink(temp.constData());
        return false;
    };
    ::flock(fd, LOCK_EX);
    if (const int failed = writeAll(fd, bytes))
        return fail(failed);
    if (::fdatasync(fd) != 0)
        return fail(errno);
    const QByteArray target = QFile::encodeName(m_path);
    if (m_fd < 0 && m_heldFd < 0) {
        // No journal of ours or of a previous run is held: whatever stands there is no journal
        // of a running copy unless it is a locked plain file.
        QString why;
        bool missing = false;
        const int existing = openPlainFile(m_path, O_RDONLY, why, &missing);
        if (existing >= 0) {
            if (::flock(existing, LOCK_EX | LOCK_NB) != 0) {
                ::close(existing);
                m_inUse = true;
                m_error = QStringLiteral("Another Chronofex uses it.");
                ::close(fd);
                ::unlink(temp.constData());
                return false;
            }
            m_heldFd = existing;
        } else if (!missing) {
            struct stat info {};
            if (::lstat(target.constData(), &info) == 0 && !S_ISDIR(info.st_mode))
                ::unlink(target.constData()); // a link, a FIFO or a device: never followed
        }
    }
    if (m_keepAside && m_heldFd >= 0) {
        const QString aside =
            m_path + QStringLiteral(".unreadable-") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (::link(target.constData(), QFile::encodeName(aside).constData()) == 0)
            m_keptAside = aside;
        m_keepAside = false;
    }
    if (::rename(temp.constData(), target.constData()) != 0)
        return fail(errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_APPEND);
    closeHeld();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    return true;
}

QByteArray Journal::stateBytes() const {
    QByteArray out = QByteArray(kJournalVersionLine) + '\n';
    if (!m_resolutionLine.isEmpty())
        out += m_resolutionLine + '\n';
    if (m_session) {
        for (int n = 1; n <= m_session->recordCount(); ++n) {
            out += readingLine(n) + '\n';
            const Reading& r = m_session->reading(n);
            if (r.excluded || !r.comment.isEmpty())
                out += stateLine(n) + '\n';
        }
        if (m_handled && m_session->recordCount() > 0)
            out += "V\n";
    }
    if (!m_clockLine.isEmpty())
        out += m_clockLine + '\n';
    if (!m_startLine.isEmpty())
        out += m_startLine + '\n';
    return out;
}

bool Journal::start(Session& session) {
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    sync();
    m_session = nullptr;
    m_pendingSnap = 0;
    m_handled = true;
    m_retryTimer->stop();
    if (m_inUse) {
        m_error = QStringLiteral("Another Chronofex uses it.");
        return false;
    }
    // A new journal holds the clock's state, nothing of the readings yet.
    const bool made = replaceFile(stateBytes());
    m_failing = !made;
    m_dirty = false;
    if (made)
        m_error.clear();
    else if (m_inUse)
        return false;
    // Followed also when the file could not be made: a retry writes it once it can.
    m_session = &session;
    m_connections << connect(&session, &Session::appended, this, &Journal::recordReading)
                  << connect(&session, &Session::readingChanged, this, &Journal::recordState)
                  << connect(&session, &Session::refreshed, this,
                             [this] {
                                 if (m_pendingSnap > 0) {
                                     const int n = std::exchange(m_pendingSnap, 0);
                                     write(readingLine(n, true));
                                 } else {
                                     write("F");
                                 }
                             })
                  << connect(&session, &Session::cleared, this, [this] { write("Z"); });
    if (!made)
        m_retryTimer->start();
    return made;
}

QByteArray Journal::readingLine(int n, bool snap) const {
    const Reading& r = m_session->reading(n);
    if (snap)
        return joined({"S", number(n), escaped(r.number), escaped(r.timeText), escaped(r.tag),
                       escaped(r.timeCsText), escaped(m_session->sessionStamp())});
    // The share as shown (a reading loaded from a file keeps its own until the shares are
    // computed), so that a restored report shows the same.
    return joined({"A", number(n), escaped(r.number), escaped(r.timeText), escaped(r.tag),
                   escaped(r.timeCsText), escaped(m_session->text(n, ReadingColumn::Share)),
                   escaped(m_session->sessionStamp())});
}

QByteArray Journal::stateLine(int n) const {
    const Reading& r = m_session->reading(n);
    return joined({"E", number(n), r.excluded ? "1" : "0", escaped(r.comment)});
}

void Journal::recordReading(int n) {
    // A snap's refresh follows at once: both go into one line. Anything else written first
    // takes the reading as a line of its own.
    flushPendingSnap();
    m_pendingSnap = n;
    QTimer::singleShot(0, this, &Journal::flushPendingSnap);
}

void Journal::flushPendingSnap() {
    if (m_pendingSnap == 0 || !m_session)
        return;
    const int n = std::exchange(m_pendingSnap, 0);
    if (m_session->isValidRecord(n))
        write(readingLine(n));
}

void Journal::recordState(int n) {
    write(stateLine(n));
}

void Journal::recordAll(const QString& resolution, int eventsPerSec, qint32 baseCs,
                        const std::array<int, 8>& ledValues) {
    if (!m_session)
        return;
    write("Z");
    recordResolution(resolution, eventsPerSec);
    for (int n = 1; n <= m_session->recordCount(); ++n) {
        write(readingLine(n));
        const Reading& r = m_session->reading(n);
        if (r.excluded || !r.comment.isEmpty())
            recordState(n);
    }
    // A running clock stays running: its start is written again after its base.
    const QByteArray start = m_startLine;
    recordClock(baseCs, ledValues);
    if (!start.isEmpty()) {
        m_startLine = start;
        write(start);
        m_touchTimer->start();
    }
}

void Journal::recordResolution(const QString& resolution, int eventsPerSec) {
    m_resolutionLine = joined({"R", escaped(resolution), number(eventsPerSec)});
    write(m_resolutionLine);
}

void Journal::recordClock(qint32 baseCs, const std::array<int, 8>& ledValues) {
    QByteArray line = "K\t" + number(baseCs);
    for (const int d : ledValues)
        line += '\t' + number(d);
    m_clockLine = line;
    m_startLine.clear();
    m_touchTimer->stop();
    write(line);
    sync();
}

void Journal::recordStart(qint32 baseCs) {
    m_startLine = joined({"G", number(baseCs), number(QDateTime::currentMSecsSinceEpoch())});
    write(m_startLine);
    m_touchTimer->start();
}

void Journal::recordSaved() {
    write("V");
    sync();
}

void Journal::write(const QByteArray& line) {
    if (!m_session)
        return;
    if (line != "F" && !line.startsWith('S'))
        flushPendingSnap();
    if (line.startsWith('A') || line.startsWith('S') || line.startsWith('E'))
        m_handled = false;
    else if (line == "Z" || line == "V")
        m_handled = true;
    // While failing, nothing goes out line by line: the retry writes the journal anew in full.
    if (m_failing || m_fd < 0)
        return;
    const QByteArray bytes = line + '\n';
    // Straight to the kernel: the line is safe once write returns, whatever happens to the
    // program.
    if (const int failed = writeAll(m_fd, bytes)) {
        fail(failed);
        return;
    }
    scheduleSync();
}

void Journal::fail(int error) {
    m_failing = true;
    m_dirty = false;
    m_syncTimer->stop();
    m_error = systemReason(error);
    m_retryTimer->start();
    Q_EMIT failed(m_error);
}

void Journal::retry() {
    if (!m_failing || !m_session) {
        m_retryTimer->stop();
        return;
    }
    flushPendingSnap();
    // Written anew in full beside the old one and put in its place: the journal is whole again,
    // with everything the failure kept out of it.
    if (!replaceFile(stateBytes()))
        return;
    m_failing = false;
    m_retryTimer->stop();
    m_error.clear();
    Q_EMIT resumed();
}

void Journal::scheduleSync() {
    m_dirty = true;
    if (!m_syncTimer->isActive())
        m_syncTimer->start();
}

void Journal::sync() {
    flushPendingSnap();
    m_syncTimer->stop();
    if (!m_dirty || m_fd < 0 || m_failing)
        return;
    m_dirty = false;
    // A failed sync may have lost what the kernel held: the journal is written anew.
    if (::fdatasync(m_fd) != 0)
        fail(errno);
}

} // namespace cfx

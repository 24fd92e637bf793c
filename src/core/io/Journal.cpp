#include "core/io/Journal.h"

#include "core/NumberText.h"
#include "core/Session.h"

#include <optional>

#include <unistd.h>

namespace cfx {

namespace {

constexpr int kSyncIntervalMs = 1000;

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

JournalFacts replayJournal(const QByteArray& bytes, Session& session) {
    JournalFacts facts;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break; // torn last line
        const QList<QByteArray> f = bytes.mid(start, end - start).split('\t');
        start = end + 1;
        const QByteArray& kind = f[0];
        if (kind == "A" && f.size() == 8) {
            const auto n = wholeNumber(f[1], 1, session.recordCount() + 1);
            if (!n || *n > Session::kMaxRecords)
                continue;
            session.restoreReading(static_cast<int>(*n), unescaped(f[2]), unescaped(f[3]),
                                   unescaped(f[4]), unescaped(f[5]), unescaped(f[6]));
            session.setSessionStamp(unescaped(f[7]));
            session.setStampPending(false);
            facts.handled = false;
        } else if (kind == "E" && f.size() == 4) {
            const auto n = wholeNumber(f[1], 1, session.recordCount());
            if (!n)
                continue;
            if (f[2] == "1")
                session.exclude(static_cast<int>(*n));
            else
                session.include(static_cast<int>(*n));
            session.addComment(static_cast<int>(*n), unescaped(f[3]));
            facts.handled = false;
        } else if (kind == "F" && f.size() == 1) {
            session.refreshReadings();
        } else if (kind == "R" && f.size() == 3) {
            const auto eps = wholeNumber(f[2], 0, 32767);
            if (!eps)
                continue;
            facts.resolution = unescaped(f[1]);
            facts.eventsPerSec = static_cast<int>(*eps);
            session.rerenderTimeTexts(facts.eventsPerSec);
        } else if (kind == "K" && f.size() == 10) {
            const auto base = wholeNumber(f[1], 0, 36'000'000);
            if (!base)
                continue;
            std::array<int, 8> leds{};
            bool ok = true;
            for (int i = 0; i < 8 && ok; ++i) {
                const auto digit = wholeNumber(f[2 + i], 0, 9);
                ok = digit.has_value();
                leds[i] = ok ? static_cast<int>(*digit) : 0;
            }
            if (!ok)
                continue;
            facts.baseCs = static_cast<qint32>(*base);
            facts.ledValues = leds;
        } else if (kind == "Z" && f.size() == 1) {
            session.clearReport();
            facts.handled = true;
        } else if (kind == "V" && f.size() == 1) {
            facts.handled = true;
        }
    }
    return facts;
}

Journal::Journal(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_syncTimer(new QTimer(this)) {
    m_syncTimer->setSingleShot(true);
    m_syncTimer->setInterval(kSyncIntervalMs);
    connect(m_syncTimer, &QTimer::timeout, this, &Journal::sync);
}

Journal::~Journal() {
    sync();
}

bool Journal::start(Session& session) {
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    if (m_file.isOpen()) {
        sync();
        m_file.close();
    }
    m_session = &session;
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    m_error.clear();
    m_connections << connect(&session, &Session::appended, this, &Journal::recordReading)
                  << connect(&session, &Session::readingChanged, this, &Journal::recordState)
                  << connect(&session, &Session::refreshed, this, [this] { write("F"); })
                  << connect(&session, &Session::cleared, this, [this] { write("Z"); });
    return true;
}

void Journal::recordReading(int n) {
    // The share as shown (a new reading has none until the shares are computed), so that a
    // restored report shows the same.
    const Reading& r = m_session->reading(n);
    write(joined({"A", number(n), escaped(r.number), escaped(r.timeText), escaped(r.tag),
                  escaped(r.timeCsText), escaped(m_session->text(n, ReadingColumn::Share)),
                  escaped(m_session->sessionStamp())}));
}

void Journal::recordState(int n) {
    const Reading& r = m_session->reading(n);
    write(joined({"E", number(n), r.excluded ? "1" : "0", escaped(r.comment)}));
}

void Journal::recordAll(const QString& resolution, int eventsPerSec, qint32 baseCs,
                        const std::array<int, 8>& ledValues) {
    if (!m_session)
        return;
    write("Z");
    recordResolution(resolution, eventsPerSec);
    for (int n = 1; n <= m_session->recordCount(); ++n) {
        recordReading(n);
        const Reading& r = m_session->reading(n);
        if (r.excluded || !r.comment.isEmpty())
            recordState(n);
    }
    recordClock(baseCs, ledValues);
}

void Journal::recordResolution(const QString& resolution, int eventsPerSec) {
    write(joined({"R", escaped(resolution), number(eventsPerSec)}));
}

void Journal::recordClock(qint32 baseCs, const std::array<int, 8>& ledValues) {
    QByteArray line = "K\t" + number(baseCs);
    for (const int d : ledValues)
        line += '\t' + number(d);
    write(line);
    sync();
}

void Journal::recordSaved() {
    write("V");
    sync();
}

void Journal::write(const QByteArray& line) {
    if (!m_file.isOpen())
        return;
    const QByteArray bytes = line + '\n';
    // Unbuffered: the line is in the kernel once write returns, whatever happens to the program.
    if (m_file.write(bytes) != bytes.size()) {
        m_error = m_file.errorString();
        m_file.close();
        Q_EMIT failed(m_error);
        return;
    }
    scheduleSync();
}

void Journal::scheduleSync() {
    m_dirty = true;
    if (!m_syncTimer->isActive())
        m_syncTimer->start();
}

void Journal::sync() {
    m_syncTimer->stop();
    if (!m_dirty || !m_file.isOpen())
        return;
    ::fdatasync(m_file.handle());
    m_dirty = false;
}

} // namespace cfx

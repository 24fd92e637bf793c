#include "core/io/SessionExclusions.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace cfx {

namespace {

const QString kHeader = QStringLiteral("Chronofex excluded readings");
const QString kFingerprintKey = QStringLiteral("sha256=");

// The fingerprint of the file as it lies on the disk.
bool fingerprintOf(const QString& path, QString& fingerprint, QString& error) {
    QFile file(path);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (!readAtMost(file, kMaxSessionFileBytes, bytes)) {
        error = QStringLiteral("the session file is too large");
        return false;
    }
    fingerprint =
        kFingerprintKey +
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    return true;
}

} // namespace

QString exclusionsPath(const QString& sessionPath) {
    return sessionPath + kExclusionsSuffix;
}

FileResult writeExclusions(const QString& sessionPath, const QVector<int>& excluded) {
    const QString path = exclusionsPath(sessionPath);
    if (excluded.isEmpty()) {
        QFile old(path);
        if (!QFileInfo::exists(path) || old.remove())
            return {};
        return {false, old.errorString()};
    }
    QString fingerprint;
    QString error;
    if (!fingerprintOf(sessionPath, fingerprint, error))
        return {false, error};
    QStringList lines{kHeader, fingerprint};
    for (const int n : excluded)
        lines << QString::number(n);
    return writeLines(path, lines);
}

ExclusionsRead readExclusions(const QString& sessionPath, int readingCount) {
    ExclusionsRead result;
    const QString path = exclusionsPath(sessionPath);
    if (!QFileInfo::exists(path))
        return result;
    result.state = ExclusionsRead::State::Unreadable;
    QStringList lines;
    if (!readLines(path, lines, result.error))
        return result;
    if (lines.size() < 2 || lines[0] != kHeader || !lines[1].startsWith(kFingerprintKey)) {
        result.error = QStringLiteral("it is not a list of excluded readings");
        return result;
    }
    QString fingerprint;
    if (!fingerprintOf(sessionPath, fingerprint, result.error))
        return result;
    if (fingerprint != lines[1]) {
        result.state = ExclusionsRead::State::Stale;
        return result;
    }
    for (qsizetype i = 2; i < lines.size(); ++i) {
        bool ok = false;
        const int n = lines[i].toInt(&ok);
        if (!ok || n < 1 || n > readingCount) {
            result.excluded.clear();
            result.error = QStringLiteral("line %1 names no reading of the session").arg(i + 1);
            return result;
        }
        if (!result.excluded.contains(n))
            result.excluded << n;
    }
    result.state = ExclusionsRead::State::Read;
    return result;
}

} // namespace cfx

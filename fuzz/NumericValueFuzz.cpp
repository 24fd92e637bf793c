// Numeric value of a text: every box and every file line that holds a number goes through it.
#include "FuzzCheck.h"

#include "core/NumberText.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace cfx;

namespace {

void checkText(const QString& text) {
    const double v = cfx::numericValue(text);
    check(!std::isnan(v));
    // Leading blanks are skipped, so one more changes nothing.
    check(cfx::numericValue(QLatin1Char(' ') + text) == v);
    // Only the leading numeric part counts: a trailing letter never changes the value (it
    // cannot complete an exponent).
    check(cfx::numericValue(text + QLatin1Char('x')) == v);
    // A minus sign in front of a number negates it.
    if (!text.isEmpty() && text[0].isDigit() && text[0].unicode() < 128)
        check(cfx::numericValue(QLatin1Char('-') + text) == -v);
    // Whatever the value, rounding it into the integer ranges is defined, and within the exact
    // range of a double it lands on a nearest integer.
    const qint64 r = cfx::roundHalfEven(v);
    if (std::fabs(v) < 4.0e15)
        check(std::fabs(static_cast<double>(r) - v) <= 0.5);
    const qint32 r32 = cfx::roundHalfEvenToInt32(v);
    check(r32 == std::clamp<qint64>(r, INT32_MIN, INT32_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    checkText(QString::fromUtf8(bytes, static_cast<qsizetype>(size)));
    checkText(QString::fromLatin1(bytes, static_cast<qsizetype>(size)));
    // Any UTF-16 text, including lone surrogates, as a box can hold.
    QString utf16(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size / 2 * sizeof(QChar));
    checkText(utf16);
    return 0;
}

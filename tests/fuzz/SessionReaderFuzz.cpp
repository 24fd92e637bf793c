// libFuzzer target for the session reader: any bytes must read without a crash, a hang or
// undefined behaviour, and whatever was read must write back to a file that reads the same.
#include "app/LineFile.h"
#include "timing/SessionFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    cfx::SessionData session;
    QString error;
    if (!cfx::parseSessionBytes(bytes, session, error)) {
        if (error.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    cfx::SessionData again;
    if (!cfx::parseSessionBytes(cfx::crlfBytes(cfx::sessionLines(session)), again, error))
        std::abort();
    if (!(again == session))
        std::abort();
    return 0;
}

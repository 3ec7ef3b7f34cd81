// The connection string.
#include "fuzz/FuzzInput.h"

#include "platform/Exceptions.h"
#include "platform/db/ConnectionString.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const ConnectionString connection(FuzzInput{data, size}.text());
        connection.value(QStringLiteral("Data Source"));
        connection.value(QStringLiteral("Busy Timeout"));
    } catch (const EOleException&) {
    }
    return 0;
}

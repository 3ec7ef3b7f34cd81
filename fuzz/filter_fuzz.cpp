// The recordset filter grammar.
#include "fuzz/FuzzInput.h"

#include "platform/Exceptions.h"
#include "platform/db/RecordsetFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<QString> fields = {QStringLiteral("ID"), QStringLiteral("tel"),
                                                QStringLiteral("fio"), QStringLiteral("Name"),
                                                QStringLiteral("Story")};
    try {
        RecordsetFilter filter(FuzzInput{data, size}.text(), fields);
    } catch (const EOleException&) {
    }
    return 0;
}

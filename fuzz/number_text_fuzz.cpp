// The number text rules of the number fields, with both separators, and the general format
// of what they read.
#include "fuzz/FuzzInput.h"

#include "data/FloatToStr.h"
#include "data/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = FuzzInput{data, size}.text();
    for (const FormatSettings& settings :
         {FormatSettings{u'.', u','}, FormatSettings{u',', u' '}}) {
        const std::optional<long double> number = TextToFloat(text, settings);
        if (number) {
            const QString shown = FloatToStr(*number, settings);
            if (!TextToFloat(shown, settings)) {
                __builtin_trap(); // what is shown reads back as a number
            }
        }
    }
    return 0;
}

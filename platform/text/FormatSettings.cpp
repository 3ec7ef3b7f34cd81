#include "platform/text/FormatSettings.h"

namespace {
FormatSettings current;
}

const FormatSettings& CurrentFormatSettings() {
    return current;
}

void SetCurrentFormatSettings(const FormatSettings& settings) {
    current = settings;
}

#pragma once

#include <QString>

// The part of a hint shown over a control: the text before the first "|", or all of it.
QString GetShortHint(const QString& hint);

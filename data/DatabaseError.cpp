#include "data/DatabaseError.h"

#include "platform/Exceptions.h"

void DatabaseError(const QString& message, const QString& componentName) {
    if (componentName.isEmpty()) {
        throw EDatabaseError(message);
    }
    throw EDatabaseError(componentName + QStringLiteral(": ") + message);
}

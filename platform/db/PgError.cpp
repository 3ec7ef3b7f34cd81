#include "platform/db/PgError.h"

EPgError::EPgError(QString message, QString sqlState, bool connectionLost)
    : Exception(std::move(message)), sqlState_(std::move(sqlState)),
      connectionLost_(connectionLost) {
}

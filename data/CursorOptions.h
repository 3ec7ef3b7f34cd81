#pragma once

#include "platform/db/AdoConstants.h"

// How the recordset's cursor moves and sees changes.
enum TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };

// How rows are locked while they are changed.
enum TLockType { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };

// Where the cursor's rows are kept.
enum TCursorLocation { clUseServer, clUseClient };

// The provider codes of the settings.
constexpr int CursorTypeCode(TCursorType type) {
    switch (type) {
    case ctOpenForwardOnly:
        return ado::adOpenForwardOnly;
    case ctKeyset:
        return ado::adOpenKeyset;
    case ctDynamic:
        return ado::adOpenDynamic;
    case ctStatic:
        return ado::adOpenStatic;
    case ctUnspecified:
        break;
    }
    return ado::adOpenUnspecified;
}

constexpr int LockTypeCode(TLockType type) {
    switch (type) {
    case ltReadOnly:
        return ado::adLockReadOnly;
    case ltPessimistic:
        return ado::adLockPessimistic;
    case ltOptimistic:
        return ado::adLockOptimistic;
    case ltBatchOptimistic:
        return ado::adLockBatchOptimistic;
    case ltUnspecified:
        break;
    }
    return -1;
}

constexpr int CursorLocationCode(TCursorLocation location) {
    return location == clUseClient ? ado::adUseClient : ado::adUseServer;
}

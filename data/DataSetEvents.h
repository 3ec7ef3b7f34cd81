#pragma once

#include <functional>

class EDatabaseError;
class TADOQuery;

// What an error hook decides about a failed Post, Edit or Delete.
enum TDataAction {
    daFail,  // raise the error (the default)
    daAbort, // end silently (EAbort)
    daRetry, // run the operation again
};

// A hook run at a fixed point of a data-set operation.
using TDataSetNotifyEvent = std::function<void(TADOQuery& dataSet)>;

// A hook that sees an error of Post, Edit or Delete and may change the action (daFail preset).
using TDataSetErrorEvent =
    std::function<void(TADOQuery& dataSet, const EDatabaseError& error, TDataAction& action)>;

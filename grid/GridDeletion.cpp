#include "grid/GridDeletion.h"

#include "data/TADOQuery.h"
#include "grid/TDBGridEhSelection.h"
#include "platform/Exceptions.h"

#include <exception>

namespace {

// A deletion failed, and then the batch around it failed too: the user sees both.
std::exception_ptr WithConsequence(const std::exception_ptr& cause, const Exception& consequence) {
    try {
        std::rethrow_exception(cause);
    } catch (const Exception& error) {
        return std::make_exception_ptr(
            EDatabaseError(error.message() + QLatin1Char('\n') + consequence.message()));
    } catch (...) {
        return cause;
    }
}

void DeleteListedRecords(TADOQuery& dataSet, TBookmarkListEh& rows) {
    while (rows.Count() > 0) {
        const TBookmark bookmark = *rows.rbegin();
        // A record that left the result by other means is not there to delete.
        if (dataSet.BookmarkValid(bookmark)) {
            dataSet.GotoBookmark(bookmark);
            dataSet.Delete();
        }
        rows.Remove(bookmark);
    }
}

} // namespace

void DeleteSelectedRecords(TADOQuery& dataSet, TDBGridEhSelection& selection) {
    dataSet.DisableControls();
    std::exception_ptr failure;
    try {
        // One write batch: a thousand deletions reach the disk together, while each of them
        // still succeeds or fails on its own.
        dataSet.BeginWriteBatch();
        try {
            DeleteListedRecords(dataSet, selection.Rows());
        } catch (...) {
            failure = std::current_exception();
        }
        dataSet.EndWriteBatch();
    } catch (const Exception& batchFailure) {
        failure = failure ? WithConsequence(failure, batchFailure) : std::current_exception();
    } catch (...) {
        failure = failure ? failure : std::current_exception();
    }
    dataSet.EnableControls();
    selection.RowsChanged();
    if (failure)
        std::rethrow_exception(failure);
}

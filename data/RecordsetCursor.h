#pragma once

#include "data/RowCursor.h"

class AdoRecordset;

// The row cursor over the provider's recordset that the query's row window reads from.
class RecordsetCursor : public RowCursor {
public:
    // Starts without a recordset; the query attaches one while it is open.
    void Attach(AdoRecordset* recordset, bool hasBookmarks, int fieldCount);
    void Detach() { Attach(nullptr, false, 0); }
    // While notifications are suspended, fetched rows leave their row number unknown.
    void SetRecordRowNumbers(bool record) { recordRowNumbers_ = record; }

    bool HasBookmarks() const override { return hasBookmarks_; }
    void MoveToStart() override;
    void MoveToEnd() override;
    void MoveTo(const RecordBuffer& record) override;
    bool FetchCurrent(RecordBuffer& record) override;
    bool FetchNext(RecordBuffer& record) override;
    bool FetchPrior(RecordBuffer& record) override;

private:
    void Read(RecordBuffer& record) const;

    AdoRecordset* recordset_ = nullptr;
    bool hasBookmarks_ = false;
    int fieldCount_ = 0;
    bool recordRowNumbers_ = true;
    // The cursor could not go before the first row and stands on it, not yet read.
    bool onUnreadFirst_ = false;
};

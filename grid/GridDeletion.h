#pragma once

class TADOQuery;
class TDBGridEhSelection;

// Deletes every record the selection lists from the table, from the last to the first, with
// the data set's notifications suspended and the deletions in one write batch; the records
// deleted before a failure stay deleted, and the selection is told its rows changed.
void DeleteSelectedRecords(TADOQuery& dataSet, TDBGridEhSelection& selection);

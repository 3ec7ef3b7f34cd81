#pragma once

#include "data/TDataLink.h"

// Makes a position of a data link's row window current for the guard's lifetime and then the
// previous one again, also when the code in between throws. No notification is raised.
class ActiveRecordGuard {
public:
    ActiveRecordGuard(TDataLink& link, int position) : link_(link), saved_(link.ActiveRecord()) {
        link_.SetActiveRecord(position);
    }
    ~ActiveRecordGuard() { link_.SetActiveRecord(saved_); }
    ActiveRecordGuard(const ActiveRecordGuard&) = delete;
    ActiveRecordGuard& operator=(const ActiveRecordGuard&) = delete;

private:
    TDataLink& link_;
    int saved_;
};

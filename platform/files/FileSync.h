#pragma once

class QFileDevice;

// Asks the system to put what was written to an open file on the disk before returning, so
// that a file renamed into place afterwards is never found empty after a power loss. False
// (with errno set) when the disk reports a failure.
bool SyncToDisk(QFileDevice& file);

#pragma once

class AdoProvider;

// The database provider of the directory: SQLite, each connection with a DirectoryAccelerator.
AdoProvider& DirectoryProvider();

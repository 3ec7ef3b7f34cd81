#pragma once

// The codes the data set hands to the database provider, with their ADO meanings.
namespace ado {

// Cursor locations.
inline constexpr int adUseServer = 2;
inline constexpr int adUseClient = 3;

// Cursor types.
inline constexpr int adOpenUnspecified = -1;
inline constexpr int adOpenForwardOnly = 0;
inline constexpr int adOpenKeyset = 1;
inline constexpr int adOpenDynamic = 2;
inline constexpr int adOpenStatic = 3;

// Lock types.
inline constexpr int adLockReadOnly = 1;
inline constexpr int adLockPessimistic = 2;
inline constexpr int adLockOptimistic = 3;
inline constexpr int adLockBatchOptimistic = 4;

// Command types.
inline constexpr int adCmdText = 1;
inline constexpr int adCmdTable = 2;
inline constexpr int adCmdStoredProc = 4;
inline constexpr int adCmdUnknown = 8;
inline constexpr int adCmdFile = 256;
inline constexpr int adCmdTableDirect = 512;

// Recordset states.
inline constexpr int adStateClosed = 0;
inline constexpr int adStateOpen = 1;

// Masks for Supports.
inline constexpr long adMovePrevious = 0x200;
inline constexpr long adBookmark = 0x2000;
inline constexpr long adApproxPosition = 0x4000;
inline constexpr long adResync = 0x20000;
inline constexpr long adUpdate = 0x1008000;

// Edit modes.
inline constexpr int adEditNone = 0;
inline constexpr int adEditInProgress = 1;
inline constexpr int adEditAdd = 2;

// Which rows Delete and Resync affect, and what Resync re-reads.
inline constexpr int adAffectCurrent = 1;
inline constexpr int adAffectAll = 3;
inline constexpr int adResyncAllValues = 2;

// Record status flags.
inline constexpr int adRecOK = 0;
inline constexpr int adRecNew = 0x1;
inline constexpr int adRecModified = 0x2;
inline constexpr int adRecDeleted = 0x4;

// Bookmark comparison results.
inline constexpr int adCompareLessThan = 0;
inline constexpr int adCompareEqual = 1;
inline constexpr int adCompareGreaterThan = 2;
inline constexpr int adCompareNotEqual = 3;
inline constexpr int adCompareNotComparable = 4;

// Column types.
inline constexpr int adEmpty = 0;
inline constexpr int adSmallInt = 2;
inline constexpr int adInteger = 3;
inline constexpr int adSingle = 4;
inline constexpr int adDouble = 5;
inline constexpr int adCurrency = 6;
inline constexpr int adDate = 7;
inline constexpr int adBoolean = 11;
inline constexpr int adDecimal = 14;
inline constexpr int adTinyInt = 16;
inline constexpr int adUnsignedTinyInt = 17;
inline constexpr int adBigInt = 20;
inline constexpr int adLongVarBinary = 205;
inline constexpr int adNumeric = 131;
inline constexpr int adChar = 129;
inline constexpr int adWChar = 130;
inline constexpr int adVarChar = 200;
inline constexpr int adLongVarChar = 201;
inline constexpr int adVarWChar = 202;
inline constexpr int adLongVarWChar = 203;

// Column attributes.
inline constexpr long adFldUpdatable = 0x4;
inline constexpr long adFldUnknownUpdatable = 0x8;
inline constexpr long adFldFixed = 0x10;
inline constexpr long adFldIsNullable = 0x20;
inline constexpr long adFldMayBeNull = 0x40;
inline constexpr long adFldLong = 0x80;
inline constexpr long adFldKeyColumn = 0x8000;

} // namespace ado

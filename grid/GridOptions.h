#pragma once

#include "grid/EnumSet.h"

// The grid's general options (`Options`).
enum TGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit,
    dgMultiSelect,
};
using TGridOptions = EnumSet<TGridOption>;

// The grid's extended options (`OptionsEh`).
enum TGridOptionEh {
    dghFixed3D,
    dghFrozen3D,
    dghFooter3D,
    dghData3D,
    dghResizeWholeRightPart,
    dghHighlightFocus,
    dghClearSelection,
    dghFitRowHeightToText,
    dghDialogFind,
    dghMultiSortMarking,
    dghAutoSortMarking,
    dghIncSearch,
    dghPreferIncSearch,
    dghRowHighlight,
    dghDblClickOptimizeColWidth,
    dghEnterAsTab,
    dghTraceColSizing,
    dghRecordMoving,
};
using TGridOptionsEh = EnumSet<TGridOptionEh>;

// What the user may do to the records through the grid (`AllowedOperations`).
enum TDBGridEhAllowedOperation { alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh };
using TDBGridEhAllowedOperations = EnumSet<TDBGridEhAllowedOperation>;

// The kinds of selection; the grid's selection holds one at a time.
enum TDBGridEhSelectionType { gstNon, gstRecordBookmarks, gstRectangle, gstColumns, gstAll };
using TDBGridEhAllowedSelections = EnumSet<TDBGridEhSelectionType>;

// The clipboard commands the grid offers (`EditActions`).
enum TGridEditAction { geaCutEh, geaCopyEh, geaPasteEh, geaDeleteEh, geaSelectAllEh };
using TGridEditActions = EnumSet<TGridEditAction>;

// The drawing state of a cell handed to the cell painter.
enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = EnumSet<TGridDrawStateFlag>;

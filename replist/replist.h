// The report list unit: the data model TRLData, its file, CSV, HTML and clipboard formats, the
// recognition of report-list files, TReportListView, the grid that shows and edits the model, and its
// row editor with the date texts of date columns.
#pragma once

#include "replist/rldata.h"
#include "replist/reportlistview.h"
#include "replist/rowedit.h"

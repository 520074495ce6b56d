// The report list unit: the data model TRLData, its file, CSV, HTML and clipboard formats, and the
// recognition of report-list files.
#pragma once

#include "replist/rldata.h"

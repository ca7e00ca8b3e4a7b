#pragma once

#include "sheetdata/sheetmodel.h"

// A sheet model with every text slot filled and a tick in every check box of both pages, as
// much as one sheet can show at once: for pictures of the filled sheet and for benchmarks.
// It holds three era rings (one on each onset-date row) and ten underlines under the medical
// services.
sheetdata::SheetModel sampleFilledSheet();

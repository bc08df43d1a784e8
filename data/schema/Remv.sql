-- Remv.mdb: the removal log, one row appended for each line taken off a
-- recalled ticket. Live and training share it. Dates and times are ISO texts.
CREATE TABLE "tblRemv" (
  "szType_out" TEXT COLLATE NOCASE,
  "szWaiter_out" TEXT COLLATE NOCASE,
  "szItems_out" TEXT COLLATE NOCASE,
  "szPrice_Out" TEXT COLLATE NOCASE,
  "szReason_out" TEXT COLLATE NOCASE,
  "szManager_out" TEXT COLLATE NOCASE,
  "szDate_out" TEXT COLLATE NOCASE,
  "szTime_out" TEXT COLLATE NOCASE
);

-- Remv.mdb: the removal log, one row appended for each line taken off a
-- recalled ticket. Live and training share it. Dates and times are ISO texts.
CREATE TABLE "tblRemv" (
  "szType_out" TEXT,
  "szWaiter_out" TEXT,
  "szItems_out" TEXT,
  "szPrice_Out" TEXT,
  "szReason_out" TEXT,
  "szManager_out" TEXT,
  "szDate_out" TEXT,
  "szTime_out" TEXT
);

-- SalonReserv.mdb: the appointment book. One row per day and stylist, with
-- 22 free-text half-hour slots named by their start on the 12-hour clock,
-- from "900" (9:00) to "730" (19:30).
CREATE TABLE "tblSalonReserv" (
  "szDate_da" TEXT,
  "szName_na" TEXT,
  "900" TEXT, "930" TEXT, "1000" TEXT, "1030" TEXT, "1100" TEXT, "1130" TEXT,
  "1200" TEXT, "1230" TEXT, "100" TEXT, "130" TEXT, "200" TEXT, "230" TEXT,
  "300" TEXT, "330" TEXT, "400" TEXT, "430" TEXT, "500" TEXT, "530" TEXT,
  "600" TEXT, "630" TEXT, "700" TEXT, "730" TEXT
);
CREATE INDEX "tblSalonReserv_szDate_da" ON "tblSalonReserv" ("szDate_da");

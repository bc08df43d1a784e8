-- Infor.mdb: the staff. It follows the data placement (install folder or the
-- shared folder).

-- One row per employee. szID_no is the sign-in code, sFirst_nm the first name
-- that travels on tickets and in the appointment book, szLevel_nu the access
-- level ("Level 1", "Level 2", "Level 3"). The option boxes "1" to "15" and
-- szTender ("Disable Tender") hold check-box values: 0 unticked, 1 ticked.
CREATE TABLE "tbEmplo" (
  "szID_no" TEXT COLLATE NOCASE,
  "sFirst_nm" TEXT COLLATE NOCASE,
  "szStreet_ad" TEXT COLLATE NOCASE, "szCity_nm" TEXT COLLATE NOCASE, "sState_cd" TEXT COLLATE NOCASE, "sZip_cd" TEXT COLLATE NOCASE,
  "sPhone_no" TEXT COLLATE NOCASE, "sSS_no" TEXT COLLATE NOCASE,
  "sBrith_da" TEXT COLLATE NOCASE, "szHired_da" TEXT COLLATE NOCASE, "szTerm_da" TEXT COLLATE NOCASE,
  "szRate" TEXT COLLATE NOCASE,
  "szType_tx" TEXT COLLATE NOCASE, "szRoom_nm" TEXT COLLATE NOCASE,
  "szLevel_nu" TEXT COLLATE NOCASE,
  "szPics" TEXT COLLATE NOCASE,
  "szTender" INTEGER DEFAULT 0,
  "1" INTEGER DEFAULT 0, "2" INTEGER DEFAULT 0, "3" INTEGER DEFAULT 0, "4" INTEGER DEFAULT 0,
  "5" INTEGER DEFAULT 0, "6" INTEGER DEFAULT 0, "7" INTEGER DEFAULT 0, "8" INTEGER DEFAULT 0,
  "9" INTEGER DEFAULT 0, "10" INTEGER DEFAULT 0, "11" INTEGER DEFAULT 0, "12" INTEGER DEFAULT 0,
  "13" INTEGER DEFAULT 0, "14" INTEGER DEFAULT 0, "15" INTEGER DEFAULT 0
);
CREATE INDEX "tbEmplo_szID_no" ON "tbEmplo" ("szID_no");

-- The sample staff: a manager who may approve deletions and open the drawer
-- (Level 3: every option ticked, as the staff editor sets it), a senior
-- stylist (Level 2: options chosen one by one) and a stylist (Level 1: no
-- options).
INSERT INTO "tbEmplo" ("szID_no", "sFirst_nm", "szHired_da", "szRate", "szType_tx", "szRoom_nm", "szLevel_nu",
                       "szTender", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15")
  VALUES ('1234', 'Mara', '2024-03-01', '22.00', 'Manager', '-', 'Level 3',
          0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
INSERT INTO "tbEmplo" ("szID_no", "sFirst_nm", "szHired_da", "szRate", "szType_tx", "szRoom_nm", "szLevel_nu",
                       "szTender", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15")
  VALUES ('2345', 'Jules', '2024-06-15', '18.00', 'Stylist', '-', 'Level 2',
          0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
INSERT INTO "tbEmplo" ("szID_no", "sFirst_nm", "szHired_da", "szRate", "szType_tx", "szRoom_nm", "szLevel_nu",
                       "szTender", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15")
  VALUES ('3456', 'Ines', '2025-01-10', '16.00', 'Stylist', '-', 'Level 1',
          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

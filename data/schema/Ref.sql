-- Ref.mdb: the customer list. It always lies in the install folder. The phone
-- number serves as the customer's ID and orders the list.
CREATE TABLE "tblCustmr" (
  "sPhone_no" TEXT COLLATE NOCASE,
  "sFirst_nm" TEXT COLLATE NOCASE,
  "szStreet_ad" TEXT COLLATE NOCASE,
  "szCity_nm" TEXT COLLATE NOCASE,
  "sState_cd" TEXT COLLATE NOCASE,
  "sZip_cd" TEXT COLLATE NOCASE,
  "szNotes_nm" TEXT COLLATE NOCASE
);
CREATE INDEX "tblCustmr_sPhone_no" ON "tblCustmr" ("sPhone_no");

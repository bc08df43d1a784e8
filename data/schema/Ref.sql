-- Ref.mdb: the customer list. It always lies in the install folder. The phone
-- number serves as the customer's ID and orders the list.
CREATE TABLE "tblCustmr" (
  "sPhone_no" TEXT,
  "sFirst_nm" TEXT,
  "szStreet_ad" TEXT,
  "szCity_nm" TEXT,
  "sState_cd" TEXT,
  "sZip_cd" TEXT,
  "szNotes_nm" TEXT
);
CREATE INDEX "tblCustmr_sPhone_no" ON "tblCustmr" ("sPhone_no");

-- CustmrTr.mdb: customer transactions. The sales window opens the table when
-- it loads but no window reads or writes its rows; the columns below are a
-- minimal record of a customer's ticket.
CREATE TABLE "tblCustmrTr" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "sPhone_no" TEXT COLLATE NOCASE,
  "Inv" TEXT COLLATE NOCASE
);

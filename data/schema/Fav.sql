-- Fav.mdb: the favourites tally, one row per item text sold, with the count
-- as decimal text ("1" the first time an item text is met).
CREATE TABLE "tbFav" (
  "szMenu_id" TEXT COLLATE NOCASE,
  "szNum_nm" TEXT COLLATE NOCASE
);
CREATE INDEX "tbFav_szMenu_id" ON "tbFav" ("szMenu_id");

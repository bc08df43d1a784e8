-- BakHS.mdb: this station's service menu and its store settings.
--
-- Fifteen menu tables share one layout: the 14 category tables (slots 0 to 13)
-- and the notes table tbSpl. Dish_ID is the item number (1 to 120, the button
-- order) and is deliberately not a key: the menu editor stores it as typed.
-- Names and prices are text; a price counts as set when it compares greater
-- than '0.00'. Options "1".."6" use "-" for unset; the first add-on "7" uses
-- "- " (dash, blank), which keeps the modifier pad closed.
-- The layout is written once: the block between "-- @each" and "-- @end"
-- stands for one table of each name listed, "@TABLE@" being the name.

-- @each tbDrink tbAppetizer tbFriedRice tbLoMein tbVDishes tbVegetables tbPoultry tbBeef tbSeafood tbSoup tbPork tbLamb tbLunch tbDinner tbSpl
CREATE TABLE "@TABLE@" (
  "Dish_ID" INTEGER, "szMenu_ID" TEXT COLLATE NOCASE, "szMenu_nm" TEXT COLLATE NOCASE, "szDes" TEXT COLLATE NOCASE, "Option" INTEGER,
  "szPriceS_amt" TEXT COLLATE NOCASE, "szPriceM_amt" TEXT COLLATE NOCASE, "szPrice_amt" TEXT COLLATE NOCASE, "szPriceL_amt" TEXT COLLATE NOCASE,
  "1" TEXT COLLATE NOCASE, "2" TEXT COLLATE NOCASE, "3" TEXT COLLATE NOCASE, "4" TEXT COLLATE NOCASE, "5" TEXT COLLATE NOCASE, "6" TEXT COLLATE NOCASE,
  "1_Price" TEXT COLLATE NOCASE, "2_Price" TEXT COLLATE NOCASE, "3_Price" TEXT COLLATE NOCASE, "4_Price" TEXT COLLATE NOCASE, "5_Price" TEXT COLLATE NOCASE, "6_Price" TEXT COLLATE NOCASE,
  "7" TEXT COLLATE NOCASE DEFAULT '- ',
  "8" TEXT COLLATE NOCASE, "9" TEXT COLLATE NOCASE, "10" TEXT COLLATE NOCASE, "11" TEXT COLLATE NOCASE, "12" TEXT COLLATE NOCASE, "13" TEXT COLLATE NOCASE,
  "14" TEXT COLLATE NOCASE, "15" TEXT COLLATE NOCASE, "16" TEXT COLLATE NOCASE, "17" TEXT COLLATE NOCASE, "18" TEXT COLLATE NOCASE, "19" TEXT COLLATE NOCASE,
  "20" TEXT COLLATE NOCASE, "21" TEXT COLLATE NOCASE, "22" TEXT COLLATE NOCASE, "23" TEXT COLLATE NOCASE, "24" TEXT COLLATE NOCASE, "25" TEXT COLLATE NOCASE,
  "26" TEXT COLLATE NOCASE, "27" TEXT COLLATE NOCASE, "28" TEXT COLLATE NOCASE, "29" TEXT COLLATE NOCASE, "30" TEXT COLLATE NOCASE, "31" TEXT COLLATE NOCASE,
  "32" TEXT COLLATE NOCASE, "33" TEXT COLLATE NOCASE, "34" TEXT COLLATE NOCASE, "35" TEXT COLLATE NOCASE, "36" TEXT COLLATE NOCASE, "37" TEXT COLLATE NOCASE,
  "38" TEXT COLLATE NOCASE, "39" TEXT COLLATE NOCASE, "40" TEXT COLLATE NOCASE, "41" TEXT COLLATE NOCASE, "42" TEXT COLLATE NOCASE, "43" TEXT COLLATE NOCASE,
  "44" TEXT COLLATE NOCASE,
  "7_Price" TEXT COLLATE NOCASE, "8_Price" TEXT COLLATE NOCASE, "9_Price" TEXT COLLATE NOCASE, "10_Price" TEXT COLLATE NOCASE, "11_Price" TEXT COLLATE NOCASE, "12_Price" TEXT COLLATE NOCASE,
  "13_Price" TEXT COLLATE NOCASE, "14_Price" TEXT COLLATE NOCASE, "15_Price" TEXT COLLATE NOCASE, "16_Price" TEXT COLLATE NOCASE, "17_Price" TEXT COLLATE NOCASE, "18_Price" TEXT COLLATE NOCASE,
  "19_Price" TEXT COLLATE NOCASE, "20_Price" TEXT COLLATE NOCASE, "21_Price" TEXT COLLATE NOCASE, "22_Price" TEXT COLLATE NOCASE, "23_Price" TEXT COLLATE NOCASE, "24_Price" TEXT COLLATE NOCASE,
  "25_Price" TEXT COLLATE NOCASE, "26_Price" TEXT COLLATE NOCASE, "27_Price" TEXT COLLATE NOCASE, "28_Price" TEXT COLLATE NOCASE, "29_Price" TEXT COLLATE NOCASE, "30_Price" TEXT COLLATE NOCASE,
  "31_Price" TEXT COLLATE NOCASE, "32_Price" TEXT COLLATE NOCASE, "33_Price" TEXT COLLATE NOCASE, "34_Price" TEXT COLLATE NOCASE, "35_Price" TEXT COLLATE NOCASE, "36_Price" TEXT COLLATE NOCASE,
  "37_Price" TEXT COLLATE NOCASE, "38_Price" TEXT COLLATE NOCASE, "39_Price" TEXT COLLATE NOCASE, "40_Price" TEXT COLLATE NOCASE, "41_Price" TEXT COLLATE NOCASE, "42_Price" TEXT COLLATE NOCASE,
  "43_Price" TEXT COLLATE NOCASE, "44_Price" TEXT COLLATE NOCASE
);
-- @end

-- Category faces (one row): captions t0..t13, picture paths p0..p13 and the
-- menu mode in the field named False ("2.Custom" shows the captions).
CREATE TABLE "tbSetMain" (
  "t0" TEXT COLLATE NOCASE, "t1" TEXT COLLATE NOCASE, "t2" TEXT COLLATE NOCASE, "t3" TEXT COLLATE NOCASE, "t4" TEXT COLLATE NOCASE, "t5" TEXT COLLATE NOCASE, "t6" TEXT COLLATE NOCASE, "t7" TEXT COLLATE NOCASE, "t8" TEXT COLLATE NOCASE, "t9" TEXT COLLATE NOCASE, "t10" TEXT COLLATE NOCASE, "t11" TEXT COLLATE NOCASE, "t12" TEXT COLLATE NOCASE, "t13" TEXT COLLATE NOCASE,
  "p0" TEXT COLLATE NOCASE, "p1" TEXT COLLATE NOCASE, "p2" TEXT COLLATE NOCASE, "p3" TEXT COLLATE NOCASE, "p4" TEXT COLLATE NOCASE, "p5" TEXT COLLATE NOCASE, "p6" TEXT COLLATE NOCASE, "p7" TEXT COLLATE NOCASE, "p8" TEXT COLLATE NOCASE, "p9" TEXT COLLATE NOCASE, "p10" TEXT COLLATE NOCASE, "p11" TEXT COLLATE NOCASE, "p12" TEXT COLLATE NOCASE, "p13" TEXT COLLATE NOCASE,
  "False" TEXT COLLATE NOCASE
);

-- Category routing codes (one row), slot N in scrnN; slots 12 and 13 have none.
CREATE TABLE "tbSetScrn" (
  "scrn0" TEXT COLLATE NOCASE, "scrn1" TEXT COLLATE NOCASE, "scrn2" TEXT COLLATE NOCASE, "scrn3" TEXT COLLATE NOCASE, "scrn4" TEXT COLLATE NOCASE, "scrn5" TEXT COLLATE NOCASE, "scrn6" TEXT COLLATE NOCASE, "scrn7" TEXT COLLATE NOCASE, "scrn8" TEXT COLLATE NOCASE, "scrn9" TEXT COLLATE NOCASE, "scrn10" TEXT COLLATE NOCASE, "scrn11" TEXT COLLATE NOCASE
);

-- Receipt header lines and ending notes (one row); "-" stands for an empty line.
-- A new store starts with the texts the settings window shows at design.
CREATE TABLE "tbSetInfor" (
  "Line1" TEXT COLLATE NOCASE, "Line2" TEXT COLLATE NOCASE, "Line3" TEXT COLLATE NOCASE,
  "Notes" TEXT COLLATE NOCASE, "Notes1" TEXT COLLATE NOCASE, "Notes2" TEXT COLLATE NOCASE, "Notes3" TEXT COLLATE NOCASE, "Notes4" TEXT COLLATE NOCASE, "Notes5" TEXT COLLATE NOCASE
);

-- Free-pop settings (one row): t0..t11 free texts, t12 the free-pop mode.
CREATE TABLE "tbSetFreePop" (
  "t0" TEXT COLLATE NOCASE, "t1" TEXT COLLATE NOCASE, "t2" TEXT COLLATE NOCASE, "t3" TEXT COLLATE NOCASE, "t4" TEXT COLLATE NOCASE, "t5" TEXT COLLATE NOCASE, "t6" TEXT COLLATE NOCASE, "t7" TEXT COLLATE NOCASE, "t8" TEXT COLLATE NOCASE, "t9" TEXT COLLATE NOCASE, "t10" TEXT COLLATE NOCASE, "t11" TEXT COLLATE NOCASE,
  "t12" TEXT COLLATE NOCASE
);

-- First-install rows.

INSERT INTO "tbSetMain" ("t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10", "t11", "t12", "t13", "False") VALUES
  ('Haircut', 'Color', 'Highlights', 'Perm', 'Styling', 'Treatment', 'Kids', 'Men', 'Nails', 'Waxing', 'Makeup', 'Bridal', 'Products', 'Packages', '2.Custom');

INSERT INTO "tbSetScrn" ("scrn0", "scrn1", "scrn2", "scrn3", "scrn4", "scrn5", "scrn6", "scrn7", "scrn8", "scrn9", "scrn10", "scrn11") VALUES ('-', '-', '-', '-', '-', '-', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbSetInfor" ("Line1", "Line2", "Line3", "Notes", "Notes1", "Notes2", "Notes3", "Notes4", "Notes5")
  VALUES ('Company Name', 'Tel: ', 'Fax: ', 'Ending Notes', 'Ending Notes', 'Ending Notes', 'Ending Notes',
          'Ending Notes', 'Ending Notes');

INSERT INTO "tbSetFreePop" ("t12") VALUES ('Auto');

-- The sample salon menu. Sizes S, M, L and XL are szPriceS_amt, szPriceM_amt,
-- szPrice_amt (the plain price) and szPriceL_amt; unset sizes read "0.00".

INSERT INTO "tbDrink" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price", "2_Price", "7", "7_Price", "8", "8_Price", "9", "9_Price")
  VALUES (1, '1', 'Women''s Cut', 0, '35.00', '42.00', '48.00', '58.00', 'Wash & Blow Dry', 'Dry Cut', '-', '-', '-', '-', '12.00', '0.00', 'Deep Condition', '10.00', 'Scalp Massage', '8.00', 'Fringe Trim', '5.00');
INSERT INTO "tbDrink" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "7", "7_Price", "8", "8_Price")
  VALUES (2, '1', 'Men''s Cut', 0, '0.00', '0.00', '25.00', '0.00', '-', '-', '-', '-', '-', '-', 'Beard Trim', '10.00', 'Hot Towel', '6.00');
INSERT INTO "tbDrink" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Kids Cut', 0, '0.00', '0.00', '18.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbDrink" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (4, '1', 'Fringe Trim', 0, '0.00', '0.00', '8.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbAppetizer" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price", "2_Price", "7", "7_Price", "8", "8_Price")
  VALUES (1, '1', 'Root Touch-Up', 0, '55.00', '65.00', '75.00', '0.00', 'Ammonia Free', 'Gray Coverage', '-', '-', '-', '-', '10.00', '5.00', 'Toner', '20.00', 'Bond Builder', '25.00');
INSERT INTO "tbAppetizer" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "7", "7_Price")
  VALUES (2, '1', 'All-Over Color', 0, '70.00', '85.00', '100.00', '120.00', '-', '-', '-', '-', '-', '-', 'Toner', '20.00');
INSERT INTO "tbAppetizer" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Gloss', 0, '0.00', '0.00', '40.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbFriedRice" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Partial Highlights', 0, '75.00', '80.00', '85.00', '95.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbFriedRice" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price", "2_Price", "3_Price", "7", "7_Price")
  VALUES (2, '1', 'Full Highlights', 0, '110.00', '125.00', '140.00', '160.00', 'Foils', 'Balayage', 'Babylights', '-', '-', '-', '0.00', '30.00', '20.00', 'Toner', '20.00');

INSERT INTO "tbLoMein" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price")
  VALUES (1, '1', 'Body Wave', 0, '80.00', '88.00', '95.00', '110.00', 'Spot Perm', '-', '-', '-', '-', '-', '0.00');
INSERT INTO "tbLoMein" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Spiral Perm', 0, '0.00', '0.00', '120.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbVDishes" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "7", "7_Price", "8", "8_Price")
  VALUES (1, '1', 'Blow Dry', 0, '30.00', '35.00', '40.00', '50.00', '-', '-', '-', '-', '-', '-', 'Flat Iron', '10.00', 'Curls', '10.00');
INSERT INTO "tbVDishes" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Updo', 0, '0.00', '0.00', '65.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbVDishes" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Braids', 0, '0.00', '0.00', '45.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbVegetables" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Deep Conditioning', 0, '0.00', '0.00', '25.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbVegetables" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Keratin Smoothing', 0, '180.00', '220.00', '260.00', '300.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbVegetables" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Scalp Treatment', 0, '0.00', '0.00', '30.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbPoultry" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Kids Cut (under 12)', 0, '0.00', '0.00', '18.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbPoultry" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Kids Braids', 0, '0.00', '0.00', '25.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbBeef" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "7", "7_Price", "8", "8_Price")
  VALUES (1, '1', 'Men''s Cut', 0, '0.00', '0.00', '25.00', '0.00', '-', '-', '-', '-', '-', '-', 'Beard Trim', '10.00', 'Hot Towel', '6.00');
INSERT INTO "tbBeef" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Beard Trim', 0, '0.00', '0.00', '12.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbBeef" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Buzz Cut', 0, '0.00', '0.00', '18.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbSeafood" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price", "2_Price")
  VALUES (1, '1', 'Manicure', 0, '0.00', '0.00', '25.00', '0.00', 'Gel', 'French', '-', '-', '-', '-', '15.00', '8.00');
INSERT INTO "tbSeafood" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "1_Price")
  VALUES (2, '1', 'Pedicure', 0, '0.00', '0.00', '40.00', '0.00', 'Gel', '-', '-', '-', '-', '-', '15.00');
INSERT INTO "tbSeafood" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Polish Change', 0, '0.00', '0.00', '12.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbSoup" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Brow Wax', 0, '0.00', '0.00', '15.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbSoup" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Lip Wax', 0, '0.00', '0.00', '10.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbSoup" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Leg Wax', 0, '0.00', '0.00', '45.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbPork" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Makeup Application', 0, '0.00', '0.00', '55.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbPork" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Lash Tint', 0, '0.00', '0.00', '20.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbPork" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Brow Tint', 0, '0.00', '0.00', '15.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbLamb" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6", "7", "7_Price")
  VALUES (1, '1', 'Bridal Updo', 0, '0.00', '0.00', '120.00', '0.00', '-', '-', '-', '-', '-', '-', 'Veil Placement', '15.00');
INSERT INTO "tbLamb" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Bridal Trial', 0, '0.00', '0.00', '80.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbLamb" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Bridesmaid Style', 0, '0.00', '0.00', '70.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbLunch" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Shampoo', 0, '0.00', '0.00', '18.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbLunch" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Conditioner', 0, '0.00', '0.00', '18.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbLunch" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'Styling Cream', 0, '0.00', '0.00', '22.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbLunch" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (4, '1', 'Hair Spray', 0, '0.00', '0.00', '16.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbDinner" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Cut & Color', 0, '95.00', '110.00', '125.00', '145.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbDinner" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Cut & Blow Dry', 0, '0.00', '0.00', '60.00', '0.00', '-', '-', '-', '-', '-', '-');

INSERT INTO "tbSpl" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (1, '1', 'Walk-in', 0, '0.00', '0.00', '0.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbSpl" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (2, '1', 'Requested Stylist', 0, '0.00', '0.00', '0.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbSpl" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (3, '1', 'New Client', 0, '0.00', '0.00', '0.00', '0.00', '-', '-', '-', '-', '-', '-');
INSERT INTO "tbSpl" ("Dish_ID", "szMenu_ID", "szMenu_nm", "Option", "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt", "1", "2", "3", "4", "5", "6")
  VALUES (4, '1', 'Gift Wrap', 0, '0.00', '0.00', '0.00', '0.00', '-', '-', '-', '-', '-', '-');

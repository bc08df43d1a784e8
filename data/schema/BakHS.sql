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
  "Dish_ID" INTEGER, "szMenu_ID" TEXT, "szMenu_nm" TEXT, "szDes" TEXT, "Option" INTEGER,
  "szPriceS_amt" TEXT, "szPriceM_amt" TEXT, "szPrice_amt" TEXT, "szPriceL_amt" TEXT,
  "1" TEXT, "2" TEXT, "3" TEXT, "4" TEXT, "5" TEXT, "6" TEXT,
  "1_Price" TEXT, "2_Price" TEXT, "3_Price" TEXT, "4_Price" TEXT, "5_Price" TEXT, "6_Price" TEXT,
  "7" TEXT DEFAULT '- ',
  "8" TEXT, "9" TEXT, "10" TEXT, "11" TEXT, "12" TEXT, "13" TEXT,
  "14" TEXT, "15" TEXT, "16" TEXT, "17" TEXT, "18" TEXT, "19" TEXT,
  "20" TEXT, "21" TEXT, "22" TEXT, "23" TEXT, "24" TEXT, "25" TEXT,
  "26" TEXT, "27" TEXT, "28" TEXT, "29" TEXT, "30" TEXT, "31" TEXT,
  "32" TEXT, "33" TEXT, "34" TEXT, "35" TEXT, "36" TEXT, "37" TEXT,
  "38" TEXT, "39" TEXT, "40" TEXT, "41" TEXT, "42" TEXT, "43" TEXT,
  "44" TEXT,
  "7_Price" TEXT, "8_Price" TEXT, "9_Price" TEXT, "10_Price" TEXT, "11_Price" TEXT, "12_Price" TEXT,
  "13_Price" TEXT, "14_Price" TEXT, "15_Price" TEXT, "16_Price" TEXT, "17_Price" TEXT, "18_Price" TEXT,
  "19_Price" TEXT, "20_Price" TEXT, "21_Price" TEXT, "22_Price" TEXT, "23_Price" TEXT, "24_Price" TEXT,
  "25_Price" TEXT, "26_Price" TEXT, "27_Price" TEXT, "28_Price" TEXT, "29_Price" TEXT, "30_Price" TEXT,
  "31_Price" TEXT, "32_Price" TEXT, "33_Price" TEXT, "34_Price" TEXT, "35_Price" TEXT, "36_Price" TEXT,
  "37_Price" TEXT, "38_Price" TEXT, "39_Price" TEXT, "40_Price" TEXT, "41_Price" TEXT, "42_Price" TEXT,
  "43_Price" TEXT, "44_Price" TEXT
);
-- @end

-- Category faces (one row): captions t0..t13, picture paths p0..p13 and the
-- menu mode in the field named False ("2.Custom" shows the captions).
CREATE TABLE "tbSetMain" (
  "t0" TEXT, "t1" TEXT, "t2" TEXT, "t3" TEXT, "t4" TEXT, "t5" TEXT, "t6" TEXT, "t7" TEXT, "t8" TEXT, "t9" TEXT, "t10" TEXT, "t11" TEXT, "t12" TEXT, "t13" TEXT,
  "p0" TEXT, "p1" TEXT, "p2" TEXT, "p3" TEXT, "p4" TEXT, "p5" TEXT, "p6" TEXT, "p7" TEXT, "p8" TEXT, "p9" TEXT, "p10" TEXT, "p11" TEXT, "p12" TEXT, "p13" TEXT,
  "False" TEXT
);

-- Category routing codes (one row), slot N in scrnN; slots 12 and 13 have none.
CREATE TABLE "tbSetScrn" (
  "scrn0" TEXT, "scrn1" TEXT, "scrn2" TEXT, "scrn3" TEXT, "scrn4" TEXT, "scrn5" TEXT, "scrn6" TEXT, "scrn7" TEXT, "scrn8" TEXT, "scrn9" TEXT, "scrn10" TEXT, "scrn11" TEXT
);

-- Receipt header lines and ending notes (one row); "-" stands for an empty line.
-- A new store starts with the texts the settings window shows at design.
CREATE TABLE "tbSetInfor" (
  "Line1" TEXT, "Line2" TEXT, "Line3" TEXT,
  "Notes" TEXT, "Notes1" TEXT, "Notes2" TEXT, "Notes3" TEXT, "Notes4" TEXT, "Notes5" TEXT
);

-- Free-pop settings (one row): t0..t11 free texts, t12 the free-pop mode.
CREATE TABLE "tbSetFreePop" (
  "t0" TEXT, "t1" TEXT, "t2" TEXT, "t3" TEXT, "t4" TEXT, "t5" TEXT, "t6" TEXT, "t7" TEXT, "t8" TEXT, "t9" TEXT, "t10" TEXT, "t11" TEXT,
  "t12" TEXT
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

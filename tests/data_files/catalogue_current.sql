-- A complete catalogue written by hand for the sqlite3 shell, independent of the program's own schema code.
CREATE TABLE Publishers (PU_Id INTEGER PRIMARY KEY AUTOINCREMENT, Publisher TEXT COLLATE NOCASE);
CREATE INDEX Publishers_Publisher ON Publishers (Publisher);
CREATE TABLE Years (YE_Id INTEGER PRIMARY KEY AUTOINCREMENT, Year INTEGER);
CREATE TABLE Musicians (MU_Id INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT COLLATE NOCASE);
CREATE INDEX Musicians_Name ON Musicians (Name);
CREATE TABLE Genres (GE_Id INTEGER PRIMARY KEY AUTOINCREMENT, Genre TEXT COLLATE NOCASE);
CREATE TABLE Difficulty (DI_Id INTEGER PRIMARY KEY AUTOINCREMENT, DIFFICULTY TEXT COLLATE NOCASE);
CREATE TABLE Players (PL_Id INTEGER PRIMARY KEY AUTOINCREMENT, "Number of Players" TEXT COLLATE NOCASE);
CREATE TABLE Ratings (RA_Id INTEGER PRIMARY KEY AUTOINCREMENT, Rating TEXT COLLATE NOCASE);
CREATE TABLE Music (Name TEXT COLLATE NOCASE, Filename TEXT COLLATE NOCASE, MU_Id INTEGER);
CREATE UNIQUE INDEX Music_Name ON Music (Name);
CREATE TABLE Games (
  Name TEXT COLLATE NOCASE, CCode INTEGER, Filename TEXT COLLATE NOCASE, "Filename Index" INTEGER,
  "Music Filename" TEXT COLLATE NOCASE, "Screenshot Filename" TEXT COLLATE NOCASE, DocFile TEXT COLLATE NOCASE,
  Trained INTEGER, HighScore TEXT COLLATE NOCASE, "Personal Comment" TEXT COLLATE NOCASE, TimesPlayed INTEGER,
  DateLastPlayed TEXT, FA INTEGER, SA INTEGER, PU_Id INTEGER, "Year Published" INTEGER, MU_Id INTEGER,
  GE_Id INTEGER, PL_Id INTEGER, DI_Id INTEGER, RA_Id INTEGER, UseDefault INTEGER, DirectX INTEGER,
  Port1Joy INTEGER, Port2Joy INTEGER, Port1Key INTEGER, Port2Key INTEGER,
  V2Port1Joy INTEGER, V2Port2Joy INTEGER, V2Port1Key INTEGER, V2Port2Key INTEGER);
CREATE UNIQUE INDEX Games_Name ON Games (Name);
CREATE VIEW "Game Name List" AS SELECT Name, CCode FROM Games ORDER BY Name;
CREATE VIEW "Game Only List" AS SELECT Name, CCode FROM Games WHERE FA = 1 ORDER BY Name;
CREATE VIEW "Music Only List" AS SELECT Name, CCode FROM Games WHERE SA = 1 ORDER BY Name;

INSERT INTO Publishers (PU_Id, Publisher) VALUES (1, 'Ocean'), (2, 'Thalamus'), (37, '(Unknown)');
INSERT INTO Years (YE_Id, Year) VALUES (1, 9999), (2, 1986), (3, 1987);
INSERT INTO Musicians (MU_Id, Name) VALUES (1, 'Rob Hubbard'), (2, 'Martin Galway'), (38, '(Unknown)');
INSERT INTO Genres (GE_Id, Genre) VALUES (1, '(Unknown)'), (2, 'Shoot ''em up');
INSERT INTO Difficulty (DI_Id, DIFFICULTY) VALUES (1, 'Easy'), (8, '(Unknown)');
INSERT INTO Players (PL_Id, "Number of Players") VALUES (1, '1 Player'), (5, '(Unknown)');
INSERT INTO Ratings (RA_Id, Rating) VALUES (1, '(Unknown)'), (2, 'Classic');
INSERT INTO Music (Name, Filename, MU_Id) VALUES
  ('Commando', 'Hubbard\Commando.sid', 1), ('100% Pure', 'Misc\pure.sid', 38),
  ('Under_score', 'Misc\under.sid', 38), ('Bob''s "Quote"', 'Misc\quote.sid', 38), ('Plain', 'Misc\plain.sid', 38);
INSERT INTO Games VALUES
  ('Sanxion', 0, 'Thalamus\sanxion.d64', 0, 'Hubbard\Sanxion.sid', '(None)', '(None)', 2, '(Not Entered)', '', 3,
   '01-02-2003', 1, 1, 2, 2, 1, 2, 1, 1, 2, 1, 0, 1, 0, 0, 2, 1, 1, 0, 1),
  ('Last Ninja, The', 8388608, 'ninja.t64', 1, '(None)', '(None)', '(None)', 0, '(Not Entered)', 'Great', 0,
   '(Never)', 1, 0, 37, 1, 38, 1, 5, 8, 1, 1, 0, 1, 0, 0, 2, 1, 1, 0, 1),
  ('Wizball', 128, '(None)', 0, 'Galway\Wizball.sid', '(None)', '(None)', 0, '(Not Entered)', '', 0,
   '(Never)', 0, 1, 1, 3, 2, 1, 5, 8, 1, 1, 0, 1, 0, 0, 2, 1, 1, 0, 1),
  ('Zzap Demo', 8421504, '(None)', 0, '(None)', '(None)', '(None)', 0, '(Not Entered)', '', 0,
   '(Never)', 0, 0, 37, 1, 38, 1, 5, 8, 1, 1, 0, 1, 0, 0, 2, 1, 1, 0, 1);

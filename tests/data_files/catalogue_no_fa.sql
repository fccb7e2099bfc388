-- A catalogue of the previous layout: Games has Trained, HighScore and DocFile but no FA, SA or V2 ports.
CREATE TABLE Publishers (PU_Id INTEGER PRIMARY KEY AUTOINCREMENT, Publisher TEXT COLLATE NOCASE);
CREATE TABLE Years (YE_Id INTEGER PRIMARY KEY AUTOINCREMENT, Year INTEGER);
CREATE TABLE Musicians (MU_Id INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT COLLATE NOCASE);
CREATE TABLE Genres (GE_Id INTEGER PRIMARY KEY AUTOINCREMENT, Genre TEXT COLLATE NOCASE);
CREATE TABLE Difficulty (DI_Id INTEGER PRIMARY KEY AUTOINCREMENT, DIFFICULTY TEXT COLLATE NOCASE);
CREATE TABLE Players (PL_Id INTEGER PRIMARY KEY AUTOINCREMENT, "Number of Players" TEXT COLLATE NOCASE);
CREATE TABLE Ratings (RA_Id INTEGER PRIMARY KEY AUTOINCREMENT, Rating TEXT COLLATE NOCASE);
CREATE TABLE Music (Name TEXT COLLATE NOCASE, Filename TEXT COLLATE NOCASE, MU_Id INTEGER);
CREATE TABLE Games (
  Name TEXT COLLATE NOCASE, CCode INTEGER, Filename TEXT COLLATE NOCASE, "Filename Index" INTEGER,
  "Music Filename" TEXT COLLATE NOCASE, "Screenshot Filename" TEXT COLLATE NOCASE, DocFile TEXT COLLATE NOCASE,
  Trained INTEGER, HighScore TEXT COLLATE NOCASE, "Personal Comment" TEXT COLLATE NOCASE, TimesPlayed INTEGER,
  DateLastPlayed TEXT, PU_Id INTEGER, "Year Published" INTEGER, MU_Id INTEGER,
  GE_Id INTEGER, PL_Id INTEGER, DI_Id INTEGER, RA_Id INTEGER, UseDefault INTEGER, DirectX INTEGER,
  Port1Joy INTEGER, Port2Joy INTEGER, Port1Key INTEGER, Port2Key INTEGER);
CREATE UNIQUE INDEX Games_Name ON Games (Name);
CREATE VIEW "Game Name List" AS SELECT Name, CCode FROM Games ORDER BY Name;
CREATE VIEW "Game Only List" AS SELECT Name, CCode FROM Games WHERE FA = 1 ORDER BY Name;
CREATE VIEW "Music Only List" AS SELECT Name, CCode FROM Games WHERE SA = 1 ORDER BY Name;

-- UseDefault, DirectX, Port1Joy, Port2Joy, Port1Key, Port2Key are the last six values.
INSERT INTO Games VALUES
  ('Defaults Game', 8388608, 'a.d64', 0, '(None)', '(None)', 'C:\Docs\a.txt', 1, '99999', 'kept', 4, '02-03-2004',
   37, 1, 38, 1, 5, 8, 1,  1, 1,  0, 1, 2, 0),
  ('Own Ports V2', 8388608, 'b.d64', 0, '(None)', '(None)', '(None)', 2, '(Not Entered)', '', 0, '(Never)',
   37, 1, 38, 1, 5, 8, 1,  0, 1,  1, 0, 3, 4),
  ('Own Ports V19', 8388608, 'c.d64', 0, '(None)', '(None)', '(None)', 0, '(Not Entered)', '', 0, '(Never)',
   37, 1, 38, 1, 5, 8, 1,  0, 0,  1, 1, 1, 2);

-- The legislation database. Table and column names are spelled as the program's
-- queries spell them; SQLite, like the original engine, ignores their case.
--
-- Yes/No columns hold 0 for No and -1 for Yes (any non-zero value counts as Yes),
-- so that a bare column works as a condition.
-- Dates are ISO texts (YYYY-MM-DD) so that they sort by their text.

CREATE TABLE topic (
  topic_id         INTEGER PRIMARY KEY,
  topic_id_parent  INTEGER NOT NULL DEFAULT 0,
  descr            TEXT,
  order_flag_lev1  INTEGER DEFAULT 0,
  order_flag_lev2  INTEGER DEFAULT 0,
  order_flag_lev3  INTEGER DEFAULT 0
);
CREATE INDEX topic_parent ON topic (topic_id_parent, order_flag_lev1, order_flag_lev2, order_flag_lev3);

CREATE TABLE abstract (
  abstract_id   INTEGER PRIMARY KEY,
  topic_id      INTEGER NOT NULL,
  descr         TEXT,
  aa_abstr_flag INTEGER DEFAULT 0
);
CREATE INDEX abstract_topic ON abstract (topic_id, aa_abstr_flag);

CREATE TABLE abstract_law (
  abstract_id       INTEGER NOT NULL,
  law_id            INTEGER NOT NULL,
  display_conn_flag INTEGER DEFAULT 1,
  aa_law_flag       INTEGER DEFAULT 0
);
CREATE INDEX abstract_law_abstract ON abstract_law (abstract_id, aa_law_flag);
CREATE INDEX abstract_law_law ON abstract_law (law_id);

CREATE TABLE LAWTYPE (
  type_id         INTEGER PRIMARY KEY,
  descr           TEXT,
  display_flag    INTEGER DEFAULT 0,
  LAWTYPE_SHOW    INTEGER NOT NULL DEFAULT 0,
  LAWTYPE_ORDERNO INTEGER DEFAULT 0
);

CREATE TABLE law (
  law_id        INTEGER PRIMARY KEY,
  law_code      TEXT,
  type_id       INTEGER,
  title         TEXT,
  descr         TEXT,
  all_law_flag  INTEGER DEFAULT 0,
  article_code  TEXT,
  parag_code    TEXT,
  parag_subcode TEXT,
  issue_date    TEXT,
  law_year      INTEGER,
  BlobType      TEXT,
  BlobBody      BLOB
);
CREATE INDEX law_code_index ON law (law_code, all_law_flag);
CREATE INDEX law_type_index ON law (type_id, issue_date, law_year, law_code);
CREATE INDEX law_article_index ON law (law_code, article_code, type_id);

CREATE TABLE KEYS (
  KEY_ID INTEGER PRIMARY KEY,
  descr  TEXT
);

CREATE TABLE LAW_KEYS (
  LAW_ID INTEGER NOT NULL,
  KEY_ID INTEGER NOT NULL
);
CREATE INDEX law_keys_law ON LAW_KEYS (LAW_ID);
CREATE INDEX law_keys_key ON LAW_KEYS (KEY_ID);

CREATE TABLE ABSTRACT_KEYS (
  ABSTRACT_ID INTEGER NOT NULL,
  KEY_ID      INTEGER NOT NULL
);
CREATE INDEX abstract_keys_abstract ON ABSTRACT_KEYS (ABSTRACT_ID);
CREATE INDEX abstract_keys_key ON ABSTRACT_KEYS (KEY_ID);

CREATE TABLE schedule (
  schedule_id        INTEGER PRIMARY KEY,
  schedule_id_parent INTEGER NOT NULL DEFAULT 0,
  descr              TEXT,
  order_flag_lev1    INTEGER DEFAULT 0,
  order_flag_lev2    INTEGER DEFAULT 0,
  order_flag_lev3    INTEGER DEFAULT 0,
  IsBlob             INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX schedule_parent ON schedule (schedule_id_parent, order_flag_lev1, order_flag_lev2, order_flag_lev3);

CREATE TABLE ScheduleAbstract (
  Abstract_id   INTEGER PRIMARY KEY,
  Schedule_id   INTEGER NOT NULL,
  descr         TEXT,
  aa_abstr_flag INTEGER DEFAULT 0,
  BlobBody      BLOB
);
CREATE INDEX schedule_abstract_schedule ON ScheduleAbstract (Schedule_id, aa_abstr_flag);

CREATE TABLE Schedulelaw (
  law_id        INTEGER PRIMARY KEY,
  law_code      TEXT,
  type_id       INTEGER,
  title         TEXT,
  descr         TEXT,
  all_law_flag  INTEGER DEFAULT 0,
  article_code  TEXT,
  parag_code    TEXT,
  parag_subcode TEXT,
  BlobType      TEXT,
  BlobBody      BLOB
);
CREATE INDEX schedulelaw_code ON Schedulelaw (law_code, article_code, type_id);

CREATE TABLE system_law_parameters (
  sys_info_display INTEGER NOT NULL DEFAULT 0
);

-- Sample content: a small set of secondary-education legislation.
-- Law numbers, years and titles are the real ones; every text is a summary
-- written for this sample, not the text of the law.

INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES
  (1, 'Νόμοι', 1, -1, 1),
  (2, 'Άρθρο', 0, 0, 90),
  (3, 'Προεδρικά Διατάγματα', 1, -1, 2),
  (4, 'Υπουργικές Αποφάσεις', 1, -1, 3),
  (5, 'Παράγραφος', 0, 0, 91),
  (6, 'Εγκύκλιοι', 1, -1, 4),
  (7, 'Υποπαράγραφος', 0, 0, 92);

INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, parag_subcode, issue_date, law_year) VALUES
  (1, 'Ν. 1566/1985', 1,
   'Δομή και λειτουργία της πρωτοβάθμιας και δευτεροβάθμιας εκπαίδευσης και άλλες διατάξεις',
   '<p>Ο βασικός νόμος για τη δομή της γενικής εκπαίδευσης. Ορίζει τους σκοπούς της πρωτοβάθμιας και της δευτεροβάθμιας εκπαίδευσης, τις βαθμίδες της, τα όργανα διοίκησης και τους συλλόγους διδασκόντων.</p>',
   1, NULL, NULL, NULL, '1985-09-30', 1985),
  (2, 'Ν. 4186/2013', 1,
   'Αναδιάρθρωση της Δευτεροβάθμιας Εκπαίδευσης και λοιπές διατάξεις',
   '<p>Ο νόμος αναδιαρθρώνει το Γενικό Λύκειο και την επαγγελματική εκπαίδευση.</p>',
   0, NULL, NULL, NULL, '2013-09-17', 2013),
  (3, 'Ν. 4186/2013', 2, 'Άρθρο 1 - Σκοπός του Γενικού Λυκείου',
   '<p>Το Γενικό Λύκειο παρέχει γενική παιδεία και προετοιμάζει τους μαθητές για τη συνέχιση των σπουδών τους.</p>',
   0, '1', NULL, NULL, '2013-09-17', 2013),
  (4, 'Ν. 4186/2013', 5, 'Παράγραφος 1', '<p>Κείμενο παραγράφου που περιέχεται ήδη στο άρθρο.</p>',
   0, '1', '1', NULL, '2013-09-17', 2013),
  (5, 'Ν. 4186/2013', 5, 'Άρθρο 2 παρ. 1 - Τάξεις του Γενικού Λυκείου',
   '<p>Το Γενικό Λύκειο έχει τρεις τάξεις: Α΄, Β΄ και Γ΄.</p>',
   0, '2', '1', NULL, '2013-09-17', 2013),
  (6, 'Ν. 4186/2013', 5, 'Άρθρο 2 παρ. 2 - Ομάδες προσανατολισμού',
   '<p>Στη Β΄ και Γ΄ τάξη οι μαθητές επιλέγουν ομάδα προσανατολισμού. Βλ. και τον <a href="#1">Ν. 1566/1985</a>.</p>',
   0, '2', '2', NULL, '2013-09-17', 2013),
  (7, 'Π.Δ. 126/2016', 3,
   'Εγγραφές, μετεγγραφές, φοίτηση και θέματα οργάνωσης της σχολικής ζωής στα Γυμνάσια',
   '<p>Ρυθμίζει τις εγγραφές και μετεγγραφές των μαθητών του Γυμνασίου, τον έλεγχο της φοίτησης και τις απουσίες.</p>',
   1, NULL, NULL, NULL, '2016-06-24', 2016);

INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3) VALUES
  (1, 0, 'Μαθητές', 1, 0, 0),
  (2, 1, 'Εγγραφές και μετεγγραφές', 1, 0, 0),
  (3, 1, 'Φοίτηση και απουσίες', 2, 0, 0),
  (4, 0, 'Δομή της εκπαίδευσης', 2, 0, 0);

INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES
  (1, 2, '<p>Οι εγγραφές στο Γυμνάσιο γίνονται τον Ιούνιο. Βλ. <a href="#7">Π.Δ. 126/2016</a>.</p>', 1),
  (2, 3, '<p>Ο έλεγχος της φοίτησης γίνεται με βάση τις απουσίες του μαθητή.</p>', 1),
  (3, 4, '<p>Η δευτεροβάθμια εκπαίδευση περιλαμβάνει το Γυμνάσιο και το Λύκειο. Βλ. <a href="#1">Ν. 1566/1985</a>.</p>', 1);

INSERT INTO abstract_law (abstract_id, law_id, display_conn_flag, aa_law_flag) VALUES
  (1, 7, 1, 1),
  (3, 1, 1, 1),
  (3, 3, 1, 2);

INSERT INTO KEYS (KEY_ID, descr) VALUES (1, 'ΕΓΓΡΑΦΕΣ'), (2, 'ΑΠΟΥΣΙΕΣ'), (3, 'ΛΥΚΕΙΟ');
INSERT INTO ABSTRACT_KEYS (ABSTRACT_ID, KEY_ID) VALUES (1, 1), (2, 2), (3, 3);
INSERT INTO LAW_KEYS (LAW_ID, KEY_ID) VALUES (7, 1), (7, 2), (2, 3);

INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES
  (1, 0, 'Βεβαιώσεις', 1, 0, 0, 0);

INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag) VALUES
  (1, 1, '<p>Υπόδειγμα βεβαίωσης φοίτησης μαθητή: <a href="#1">Βεβαίωση φοίτησης</a>.</p>', 1);

INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag) VALUES
  (1, 'ΥΠ-1', 1, 'Βεβαίωση φοίτησης', '<p>Βεβαιώνεται ότι ο/η μαθητής/τρια ........ φοιτά στην ...... τάξη του σχολείου μας κατά το σχολικό έτος ........</p>', 1);

INSERT INTO system_law_parameters (sys_info_display) VALUES (0);

-- Two files; the run stopped at a record that followed RF. Errors of record 3
-- were logged around one of record 5, so the report must reorder them.
INSERT INTO MISC (Data_Id, Path, PinOK, RptDate) VALUES (1, 'C:\Wage Files\PART1.TXT', 0, '01/15/2012');
INSERT INTO MISC (Data_Id, Path, PinOK, RptDate) VALUES (2, '/home/pay/file 2.txt', 0, '01/16/2012');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (1, 'RA', NULL, 1, 'RA', NULL);
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (2, 'RE', 1, 1, 'RE', '');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (3, 'RW', 1, 2, 'RW', '123456789');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (4, 'RO', 1, 0, 'RO', '123456789');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (5, 'RT', 1, 1, 'RT', '987654321');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (6, 'RF', NULL, 1, 'RF', NULL);
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (7, 'RW', NULL, 1, 'RW', NULL);
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (1, NULL, 1, 'Submitter''s EIN [Position 3 - 11]', '[12345678A]', 'Must be numeric.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (2, NULL, 2, 'Employer Name [Position 40 - 96]', '[ABCDEFGHIJKLMNOPQRSTUVWXYZ ABCDEFGHIJKLMNOPQRSTUVWXYZ 12345]', 'Invalid character found.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (3, NULL, 3, 'Social Security Wages [Position 210 - 220]', '[0000000ABCD]', 'Must be numeric. No negative amounts; right justify and zero fill.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (4, NULL, 5, 'Total Number of RW Records [Position 3 - 9]', '[0000002]', 'Must equal the number of RW records.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (5, NULL, 3, 'Employee Last Name [Position 66 - 85]', '[                    ]', 'Must not be blank.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (6, NULL, 6, 'Number of RW Records [Position 3 - 11]', '[000000000]', 'Must equal the number of RW records.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (7, 'C', 7, 'Sequence of Records [Position 1 - 2]', '[RW]', 'RF record must be last record in file.');
UPDATE ERRORS SET Code = 'RW.18.numeric' WHERE Err_Num = 3;
UPDATE ERRORS SET Code = 'FILE.after-rf' WHERE Err_Num = 7;
